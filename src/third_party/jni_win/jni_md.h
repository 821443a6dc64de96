/* Machine-dependent JNI types for the Windows build.
 *
 * The installed JDK is a Linux one and ships the Linux variant of this header only. On
 * Windows, JNI uses the stdcall convention (which x86-64 ignores) and a 32-bit long. */
#ifndef LAUNCHER_JNI_MD_WIN_H
#define LAUNCHER_JNI_MD_WIN_H

#define JNIEXPORT __declspec(dllexport)
#define JNIIMPORT __declspec(dllimport)
#define JNICALL __stdcall

typedef long jint;
typedef __int64 jlong;
typedef signed char jbyte;

#endif
