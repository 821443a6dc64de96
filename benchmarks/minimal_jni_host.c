/*
 * The smallest honest host of a Java VM, the yardstick the launcher is measured against: load the
 * VM library, create the VM on a new thread with the given options, call the main class's
 * main(String[]), detach, destroy the VM. No settings, no runtime search, no messages.
 *
 *   minimal_jni_host [--launcher-helper] LIBJVM MAIN_CLASS [VM_OPTION...] -- [ARGUMENT...]
 *
 * MAIN_CLASS is written with slashes (pkg/Main). The class path comes in as a VM option
 * (-Djava.class.path=...). The exit code is 0 when main returned, 1 when anything failed or main
 * threw; a System.exit(n) in Java ends the process with n as usual.
 *
 * --launcher-helper loads the main class the way the launcher and `java` do, through the
 * runtime's sun.launcher.LauncherHelper.checkAndLoadMain, instead of a plain FindClass: it tells
 * how much of the difference between the launcher and the plain host that lookup accounts for.
 */
#include <dlfcn.h>
#include <jni.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef jint(JNICALL* CreateJavaVmFunction)(JavaVM**, void**, void*);
typedef jclass(JNICALL* FindClassFromBootLoaderFunction)(JNIEnv*, const char*);

struct HostRequest {
  CreateJavaVmFunction createJavaVm;
  FindClassFromBootLoaderFunction findClassFromBootLoader; /* set for --launcher-helper */
  const char* mainClass;
  JavaVMOption* options;
  int optionCount;
  char** arguments;
  int argumentCount;
  int result;
};

/* sun.launcher.LauncherHelper.checkAndLoadMain(true, 1, "pkg.Main"), or NULL. */
static jclass LoadMainThroughHelper(JNIEnv* env, const struct HostRequest* request) {
  jclass helper = request->findClassFromBootLoader(env, "sun/launcher/LauncherHelper");
  if (helper == NULL) {
    return NULL;
  }
  jmethodID checkAndLoadMain = (*env)->GetStaticMethodID(env, helper, "checkAndLoadMain",
                                                         "(ZILjava/lang/String;)Ljava/lang/Class;");
  if (checkAndLoadMain == NULL) {
    return NULL;
  }
  char dotted[1024];
  snprintf(dotted, sizeof dotted, "%s", request->mainClass);
  for (char* c = dotted; *c != '\0'; ++c) {
    if (*c == '/') {
      *c = '.';
    }
  }
  jstring name = (*env)->NewStringUTF(env, dotted);
  if (name == NULL) {
    return NULL;
  }
  return (jclass)(*env)->CallStaticObjectMethod(env, helper, checkAndLoadMain, JNI_TRUE, 1, name);
}

static int RunMain(JNIEnv* env, const struct HostRequest* request) {
  jclass mainClass = request->findClassFromBootLoader != NULL
                         ? LoadMainThroughHelper(env, request)
                         : (*env)->FindClass(env, request->mainClass);
  if (mainClass == NULL) {
    (*env)->ExceptionDescribe(env);
    return 1;
  }
  jmethodID mainMethod =
      (*env)->GetStaticMethodID(env, mainClass, "main", "([Ljava/lang/String;)V");
  if (mainMethod == NULL) {
    (*env)->ExceptionDescribe(env);
    return 1;
  }
  jclass stringClass = (*env)->FindClass(env, "java/lang/String");
  jobjectArray arguments =
      stringClass == NULL ? NULL
                          : (*env)->NewObjectArray(env, request->argumentCount, stringClass, NULL);
  if (arguments == NULL) {
    (*env)->ExceptionDescribe(env);
    return 1;
  }
  for (int i = 0; i < request->argumentCount; ++i) {
    jstring argument = (*env)->NewStringUTF(env, request->arguments[i]);
    if (argument == NULL) {
      (*env)->ExceptionDescribe(env);
      return 1;
    }
    (*env)->SetObjectArrayElement(env, arguments, i, argument);
    (*env)->DeleteLocalRef(env, argument);
  }
  (*env)->CallStaticVoidMethod(env, mainClass, mainMethod, arguments);
  if ((*env)->ExceptionOccurred(env) != NULL) {
    (*env)->ExceptionDescribe(env);
    return 1;
  }
  return 0;
}

static void* HostThread(void* parameter) {
  struct HostRequest* request = parameter;
  JavaVMInitArgs initArgs;
  memset(&initArgs, 0, sizeof initArgs);
  initArgs.version = JNI_VERSION_1_2;
  initArgs.nOptions = request->optionCount;
  initArgs.options = request->options;
  initArgs.ignoreUnrecognized = JNI_FALSE;

  JavaVM* vm = NULL;
  JNIEnv* env = NULL;
  jint created = request->createJavaVm(&vm, (void**)&env, &initArgs);
  if (created != JNI_OK) {
    fprintf(stderr, "minimal_jni_host: JNI_CreateJavaVM returned %d\n", (int)created);
    request->result = 1;
    return NULL;
  }
  request->result = RunMain(env, request);
  if ((*vm)->DetachCurrentThread(vm) != JNI_OK) {
    request->result = 1;
  }
  (*vm)->DestroyJavaVM(vm);
  return NULL;
}

int main(int argc, char** argv) {
  int useHelper = argc > 1 && strcmp(argv[1], "--launcher-helper") == 0;
  if (useHelper) {
    --argc;
    ++argv;
  }
  if (argc < 3) {
    fprintf(stderr, "usage: minimal_jni_host [--launcher-helper] LIBJVM MAIN_CLASS [VM_OPTION...] "
                    "-- [ARGUMENT...]\n");
    return 2;
  }
  void* library = dlopen(argv[1], RTLD_NOW | RTLD_GLOBAL);
  if (library == NULL) {
    fprintf(stderr, "minimal_jni_host: %s\n", dlerror());
    return 1;
  }
  struct HostRequest request;
  memset(&request, 0, sizeof request);
  request.createJavaVm = (CreateJavaVmFunction)dlsym(library, "JNI_CreateJavaVM");
  if (request.createJavaVm == NULL) {
    fprintf(stderr, "minimal_jni_host: no JNI_CreateJavaVM in %s\n", argv[1]);
    return 1;
  }
  if (useHelper) {
    request.findClassFromBootLoader =
        (FindClassFromBootLoaderFunction)dlsym(library, "JVM_FindClassFromBootLoader");
    if (request.findClassFromBootLoader == NULL) {
      fprintf(stderr, "minimal_jni_host: no JVM_FindClassFromBootLoader in %s\n", argv[1]);
      return 1;
    }
  }
  request.mainClass = argv[2];

  int separator = 3;
  while (separator < argc && strcmp(argv[separator], "--") != 0) {
    ++separator;
  }
  request.optionCount = separator - 3;
  request.options = calloc((size_t)request.optionCount + 1, sizeof(JavaVMOption));
  if (request.options == NULL) {
    return 1;
  }
  for (int i = 0; i < request.optionCount; ++i) {
    request.options[i].optionString = argv[3 + i];
  }
  if (separator < argc) {
    request.arguments = argv + separator + 1;
    request.argumentCount = argc - separator - 1;
  }

  pthread_t thread;
  if (pthread_create(&thread, NULL, HostThread, &request) != 0) {
    fprintf(stderr, "minimal_jni_host: cannot start the VM thread\n");
    return 1;
  }
  pthread_join(thread, NULL);
  free(request.options);
  return request.result;
}
