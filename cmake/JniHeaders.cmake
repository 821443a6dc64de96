# The JNI headers come from the installed JDK. Only headers are used: the launcher binds the
# runtime's VM library at run time and never links against it.
#
# The Linux JDK ships jni_md.h for Linux only; the Windows build takes the small machine-
# dependent header of the project (src/third_party/jni_win) in its place.
find_path(LAUNCHER_JNI_INCLUDE_DIR jni.h
  HINTS "$ENV{JAVA_HOME}/include"
  PATHS /usr/lib/jvm/java-17-openjdk-amd64/include /usr/lib/jvm/default-java/include
  NO_CMAKE_FIND_ROOT_PATH
  REQUIRED)

add_library(jni_headers INTERFACE)
if(WIN32)
  target_include_directories(jni_headers SYSTEM INTERFACE
    ${PROJECT_SOURCE_DIR}/src/third_party/jni_win ${LAUNCHER_JNI_INCLUDE_DIR})
else()
  target_include_directories(jni_headers SYSTEM INTERFACE
    ${LAUNCHER_JNI_INCLUDE_DIR} ${LAUNCHER_JNI_INCLUDE_DIR}/linux)
endif()
