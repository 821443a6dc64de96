/* Ids of the launcher's dialogs and their controls. Read by the resource compiler too
   (resources/dialogs.rc), so only #define lines and C comments here. */
#ifndef LAUNCHER_UI_DIALOG_IDS_H
#define LAUNCHER_UI_DIALOG_IDS_H

/* "JRE Not Found" */
#define IDD_JRE_NOT_FOUND 201
#define IDC_JRE_FOLDER 201
#define IDC_JRE_BROWSE 202
#define IDC_JRE_MESSAGE 203
#define IDC_ERROR_ICON 204
#define IDC_JRE_LINK 205
#define IDC_JRE_BROWSE_HINT 206

/* "Java Exception" */
#define IDD_JAVA_EXCEPTION 231
#define IDC_EXCEPTION_TRACE 208
#define IDC_EXCEPTION_GROUP 209
#define IDC_EXCEPTION_INTRO 210
#define IDC_EXCEPTION_ADVICE 211
#define IDC_EXCEPTION_WARNING 212

/* The buttons: OK and Ignore end a dialog with 1, Cancel and Stop with 2. */
#define IDC_DIALOG_OK 1
#define IDC_DIALOG_CANCEL 2

#if defined(__cplusplus)
namespace launcher {
constexpr int kIddJreNotFound = IDD_JRE_NOT_FOUND;
constexpr int kIddJavaException = IDD_JAVA_EXCEPTION;
constexpr int kIdcJreFolder = IDC_JRE_FOLDER;
constexpr int kIdcJreBrowse = IDC_JRE_BROWSE;
constexpr int kIdcJreMessage = IDC_JRE_MESSAGE;
constexpr int kIdcJreLink = IDC_JRE_LINK;
constexpr int kIdcExceptionTrace = IDC_EXCEPTION_TRACE;
constexpr int kIdcExceptionGroup = IDC_EXCEPTION_GROUP;
constexpr int kIdcExceptionIntro = IDC_EXCEPTION_INTRO;
constexpr int kIdcExceptionAdvice = IDC_EXCEPTION_ADVICE;
constexpr int kIdcExceptionWarning = IDC_EXCEPTION_WARNING;
constexpr int kIdcOk = IDC_DIALOG_OK;
constexpr int kIdcCancel = IDC_DIALOG_CANCEL;
constexpr int kIdcIgnore = IDC_DIALOG_OK;
constexpr int kIdcStop = IDC_DIALOG_CANCEL;
} // namespace launcher
#endif

#endif
