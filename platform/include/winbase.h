// Kernel: clock, threads, processes, files, modules and resources.
#pragma once

#include <cstring>

#include <windef.h>
#include <winerror.h>

extern "C" {

// Clock.
BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count);
BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency);
DWORD WINAPI GetTickCount();
void WINAPI Sleep(DWORD milliseconds);

// Threads. Priorities are nice values of the calling thread alone (the
// only thread whose priority can be set, through GetCurrentThread()):
// THREAD_PRIORITY_IDLE is nice 19, never SCHED_IDLE, so that threads the
// process creates later (audio) are not starved. As on Linux, a thread
// starts with the nice value of the thread that creates it.
#define THREAD_PRIORITY_IDLE (-15)
#define THREAD_PRIORITY_LOWEST (-2)
#define THREAD_PRIORITY_BELOW_NORMAL (-1)
#define THREAD_PRIORITY_NORMAL 0
#define THREAD_PRIORITY_ABOVE_NORMAL 1
#define THREAD_PRIORITY_HIGHEST 2
#define THREAD_PRIORITY_TIME_CRITICAL 15
#define THREAD_PRIORITY_ERROR_RETURN 0x7FFFFFFF
HANDLE WINAPI GetCurrentThread();
BOOL WINAPI SetThreadPriority(HANDLE thread, int priority);
int WINAPI GetThreadPriority(HANDLE thread);
DWORD WINAPI GetCurrentThreadId();
DWORD WINAPI GetCurrentProcessId();
DWORD WINAPI GetLastError();
void WINAPI SetLastError(DWORD error);

// Command line and processes.
LPWSTR WINAPI GetCommandLineW();

struct STARTUPINFOW {
    DWORD cb;
    LPWSTR lpReserved;
    LPWSTR lpDesktop;
    LPWSTR lpTitle;
    DWORD dwX;
    DWORD dwY;
    DWORD dwXSize;
    DWORD dwYSize;
    DWORD dwXCountChars;
    DWORD dwYCountChars;
    DWORD dwFillAttribute;
    DWORD dwFlags;
    WORD wShowWindow;
    WORD cbReserved2;
    LPBYTE lpReserved2;
    HANDLE hStdInput;
    HANDLE hStdOutput;
    HANDLE hStdError;
};
typedef STARTUPINFOW* LPSTARTUPINFOW;

struct PROCESS_INFORMATION {
    HANDLE hProcess;
    HANDLE hThread;
    DWORD dwProcessId;
    DWORD dwThreadId;
};
typedef PROCESS_INFORMATION* LPPROCESS_INFORMATION;

struct SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
};
typedef SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;

BOOL WINAPI CreateProcessW(LPCWSTR applicationName, LPWSTR commandLine,
                           LPSECURITY_ATTRIBUTES processAttributes,
                           LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles,
                           DWORD creationFlags, LPVOID environment, LPCWSTR currentDirectory,
                           LPSTARTUPINFOW startupInfo, LPPROCESS_INFORMATION processInformation);
BOOL WINAPI CloseHandle(HANDLE object);
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu
#define STILL_ACTIVE 259
DWORD WINAPI WaitForSingleObject(HANDLE object, DWORD milliseconds);
BOOL WINAPI GetExitCodeProcess(HANDLE process, LPDWORD exitCode);

// Files. Paths may use either separator; they are UTF-8 on disk.
DWORD WINAPI GetTempPathW(DWORD bufferLength, LPWSTR buffer);
BOOL WINAPI CopyFileW(LPCWSTR existingFileName, LPCWSTR newFileName, BOOL failIfExists);
BOOL WINAPI DeleteFileW(LPCWSTR fileName);

#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define CREATE_ALWAYS 2
#define FILE_ATTRIBUTE_NORMAL 0x00000080
typedef struct _OVERLAPPED OVERLAPPED, *LPOVERLAPPED;
// Only new files for writing (GENERIC_WRITE, CREATE_ALWAYS); CloseHandle
// closes them.
HANDLE WINAPI CreateFileW(LPCWSTR fileName, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                          DWORD creation, DWORD flags, HANDLE templateFile);
BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD bytes, LPDWORD written, LPOVERLAPPED overlapped);

// Modules. A module other than the program itself is a resource module:
// LoadLibraryW(L"name.dll") opens name.res and never loads code.
HMODULE WINAPI GetModuleHandleW(LPCWSTR moduleName);
DWORD WINAPI GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);
HMODULE WINAPI LoadLibraryW(LPCWSTR fileName);
BOOL WINAPI FreeLibrary(HMODULE module);
FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR procName);

// Resources.
#define MAKEINTRESOURCEA(id) ((LPSTR)((ULONG_PTR)((WORD)(id))))
#define MAKEINTRESOURCEW(id) ((LPWSTR)((ULONG_PTR)((WORD)(id))))
#ifdef UNICODE
#define MAKEINTRESOURCE MAKEINTRESOURCEW
#else
#define MAKEINTRESOURCE MAKEINTRESOURCEA
#endif
#define IS_INTRESOURCE(name) ((((ULONG_PTR)(name)) >> 16) == 0)
#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_MENU MAKEINTRESOURCE(4)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_FONTDIR MAKEINTRESOURCE(7)
#define RT_FONT MAKEINTRESOURCE(8)
#define RT_ACCELERATOR MAKEINTRESOURCE(9)
#define RT_RCDATA MAKEINTRESOURCE(10)
#define RT_MESSAGETABLE MAKEINTRESOURCE(11)
#define RT_GROUP_CURSOR MAKEINTRESOURCE(12)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)
#define RT_VERSION MAKEINTRESOURCE(16)

HRSRC WINAPI FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HRSRC WINAPI FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language);
DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource);
HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource);
LPVOID WINAPI LockResource(HGLOBAL resourceData);
BOOL WINAPI FreeResource(HGLOBAL resourceData);

#define ZeroMemory(destination, length) std::memset((destination), 0, (length))

// Wide strings with Windows semantics. Comparisons are by code point, a
// null string first; lstrcmpiW folds case first without the C locale
// (ASCII, Latin-1, Latin Extended-A, basic Greek and Cyrillic).
int WINAPI lstrlenW(LPCWSTR string);
LPWSTR WINAPI lstrcpyW(LPWSTR destination, LPCWSTR source);
LPWSTR WINAPI lstrcpynW(LPWSTR destination, LPCWSTR source, int maxLength);
LPWSTR WINAPI lstrcatW(LPWSTR destination, LPCWSTR source);
int WINAPI lstrcmpW(LPCWSTR a, LPCWSTR b);
int WINAPI lstrcmpiW(LPCWSTR a, LPCWSTR b);

}  // extern "C"

// Generic names follow UNICODE; only the wide forms are declared here.
#ifdef UNICODE
typedef STARTUPINFOW STARTUPINFO;
typedef LPSTARTUPINFOW LPSTARTUPINFO;
#define GetCommandLine GetCommandLineW
#define CreateProcess CreateProcessW
#define GetTempPath GetTempPathW
#define CopyFile CopyFileW
#define DeleteFile DeleteFileW
#define CreateFile CreateFileW
#define GetModuleHandle GetModuleHandleW
#define GetModuleFileName GetModuleFileNameW
#define LoadLibrary LoadLibraryW
#define FindResource FindResourceW
#define FindResourceEx FindResourceExW
#define lstrlen lstrlenW
#define lstrcpy lstrcpyW
#define lstrcpyn lstrcpynW
#define lstrcat lstrcatW
#define lstrcmp lstrcmpW
#define lstrcmpi lstrcmpiW
#else
#define GetCommandLine GetCommandLineA
#define CreateProcess CreateProcessA
#define GetTempPath GetTempPathA
#define CopyFile CopyFileA
#define DeleteFile DeleteFileA
#define GetModuleHandle GetModuleHandleA
#define GetModuleFileName GetModuleFileNameA
#define LoadLibrary LoadLibraryA
#define FindResource FindResourceA
#define FindResourceEx FindResourceExA
#define lstrlen lstrlenA
#define lstrcpy lstrcpyA
#define lstrcpyn lstrcpynA
#define lstrcat lstrcatA
#define lstrcmp lstrcmpA
#define lstrcmpi lstrcmpiA
#endif
