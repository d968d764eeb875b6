#ifdef _WIN32
#include <windows.h>

#include <csignal>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/platform.h"
#include "validate/runner/check_runner.h"
#include "validate/runner/child_process.h"

namespace simhost_app {

namespace {

constexpr DWORD kGraceMilliseconds = 10000;
constexpr ULONG kStackKeptForReport = 64 * 1024;
constexpr DWORD kAbortCode = 0xC0000409;  // what abort() ends with on current Windows

using simhost::platform::Utf8FromWide;
using simhost::platform::WideFromUtf8;

struct HandleCloser {
  void operator()(HANDLE handle) const {
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
  }
};
using Handle = std::unique_ptr<void, HandleCloser>;

Handle InheritableFile(const std::string& path, bool write) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE file =
      ::CreateFileW(WideFromUtf8(path).c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                    write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  return Handle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

// A job that kills every process in it when it is closed, and keeps the
// system's crash dialog from waiting for a click.
Handle KillingJob() {
  Handle job(::CreateJobObjectW(nullptr, nullptr));
  if (!job) return job;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags =
      JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
  if (!::SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits,
                                 sizeof limits)) {
    return Handle();
  }
  return job;
}

// The child inherits its two files and none of this process's other
// inheritable handles (a pipe to whoever reads our output, say).
struct HandleList {
  HandleList(HANDLE* handles, size_t count) : storage(Size()) {
    attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage.data());
    SIZE_T size = storage.size();
    if (!::InitializeProcThreadAttributeList(attributes, 1, 0, &size) ||
        !::UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles,
                                     count * sizeof(HANDLE), nullptr, nullptr)) {
      attributes = nullptr;
    }
  }
  ~HandleList() {
    if (attributes != nullptr) ::DeleteProcThreadAttributeList(attributes);
  }
  static SIZE_T Size() {
    SIZE_T size = 0;
    ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    return size;
  }
  std::vector<char> storage;
  LPPROC_THREAD_ATTRIBUTE_LIST attributes = nullptr;
};

std::string SystemError(const std::string& what) {
  return what + " (Windows error " + std::to_string(::GetLastError()) + ")";
}

// The module holding an address, as "Lumidrome.cdl64+0x1a2b", so that a
// crash report says whose code crashed.
std::string WhereIs(const void* address) {
  HMODULE module = nullptr;
  wchar_t path[MAX_PATH];
  const DWORD flags =
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
  if (!::GetModuleHandleExW(flags, static_cast<LPCWSTR>(address), &module) ||
      ::GetModuleFileNameW(module, path, MAX_PATH) == 0) {
    return "an unknown module";
  }
  std::wstring name(path);
  name = name.substr(name.find_last_of(L"\\/") + 1);
  char offset[32];
  std::snprintf(offset, sizeof offset, "+0x%llx",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(address) -
                                                reinterpret_cast<uintptr_t>(module)));
  return Utf8FromWide(name) + offset;
}

void WriteError(const std::string& text) {
  DWORD written = 0;
  ::WriteFile(::GetStdHandle(STD_ERROR_HANDLE), text.data(), static_cast<DWORD>(text.size()),
              &written, nullptr);
}

// Says where the crash happened, then ends the process with the exception's
// code, without the system's debugger or dialog.
LONG WINAPI ReportException(EXCEPTION_POINTERS* exception) {
  const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
  const std::string name = ExceptionName(record.ExceptionCode);
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(record.ExceptionCode));
  WriteError(std::string("crash: exception ") + code + " (" + name + ") in " +
             WhereIs(record.ExceptionAddress) + "\n");
  ::TerminateProcess(::GetCurrentProcess(), record.ExceptionCode);
  return EXCEPTION_EXECUTE_HANDLER;
}

// The overflowed stack has no room for the unwinding search that precedes
// the filter above: this is called first, and ends the process at once.
LONG WINAPI EndOnStackOverflow(EXCEPTION_POINTERS* exception) {
  if (exception->ExceptionRecord->ExceptionCode != EXCEPTION_STACK_OVERFLOW) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  static const char kLine[] = "crash: exception 0xC00000FD (STACK_OVERFLOW)\n";
  DWORD written = 0;
  ::WriteFile(::GetStdHandle(STD_ERROR_HANDLE), kLine, sizeof kLine - 1, &written, nullptr);
  ::TerminateProcess(::GetCurrentProcess(), EXCEPTION_STACK_OVERFLOW);
  return EXCEPTION_CONTINUE_SEARCH;
}

void ReportAbort(int) {
  WriteError("crash: abort() was called\n");
  ::TerminateProcess(::GetCurrentProcess(), kAbortCode);
}

}  // namespace

ProcessEnd RunProcess(const std::vector<std::string>& command, const std::string& input_file,
                      const std::string& output_file, int timeout_seconds) {
  ProcessEnd end;
  Handle input = InheritableFile(input_file, false);
  Handle output = InheritableFile(output_file, true);
  if (!input || !output) return end.error = SystemError("cannot open the child's files"), end;
  Handle job = KillingJob();
  if (!job) return end.error = SystemError("cannot make a job object"), end;
  HANDLE inherited[] = {input.get(), output.get()};
  HandleList handles(inherited, 2);
  if (!handles.attributes) return end.error = SystemError("cannot list the child's handles"), end;
  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof startup;
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  startup.StartupInfo.hStdInput = input.get();
  startup.StartupInfo.hStdOutput = output.get();
  startup.StartupInfo.hStdError = output.get();
  startup.lpAttributeList = handles.attributes;
  std::wstring line = WideFromUtf8(WindowsCommandLine(command));
  PROCESS_INFORMATION process{};
  // Suspended until it is in the job, so that nothing it starts escapes.
  const DWORD flags = CREATE_SUSPENDED | CREATE_NO_WINDOW | EXTENDED_STARTUPINFO_PRESENT;
  if (!::CreateProcessW(WideFromUtf8(command.at(0)).c_str(), line.data(), nullptr, nullptr, TRUE,
                        flags, nullptr, nullptr, &startup.StartupInfo, &process)) {
    return end.error = SystemError("cannot start " + command.at(0)), end;
  }
  Handle child(process.hProcess);
  Handle thread(process.hThread);
  if (!::AssignProcessToJobObject(job.get(), child.get())) {
    end.error = SystemError("cannot put the child into its job");
    ::TerminateProcess(child.get(), 1);
    return end;
  }
  ::ResumeThread(thread.get());
  const DWORD limit = static_cast<DWORD>(timeout_seconds) * 1000;
  end.finished = ::WaitForSingleObject(child.get(), limit) == WAIT_OBJECT_0;
  ::TerminateJobObject(job.get(), 1);  // at the deadline, and what it left running
  ::WaitForSingleObject(child.get(), kGraceMilliseconds);
  DWORD code = 0;
  ::GetExitCodeProcess(child.get(), &code);
  end.exit_code = code;
  return end;
}

std::string OwnProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::string();
    if (length < path.size()) return Utf8FromWide(path.substr(0, length));
    path.resize(path.size() * 2);
  }
}

void ReportCrashes() {
  // Room on the stack for the report when the stack itself has overflowed.
  ULONG guarantee = kStackKeptForReport;
  ::SetThreadStackGuarantee(&guarantee);
  ::AddVectoredExceptionHandler(1, EndOnStackOverflow);
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  ::SetUnhandledExceptionFilter(ReportException);
  std::signal(SIGABRT, ReportAbort);
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  return ::_wfopen(WideFromUtf8(path).c_str(), WideFromUtf8(mode).c_str());
}

}  // namespace simhost_app
#endif
