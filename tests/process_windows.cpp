#include <windows.h>

#include <stdexcept>

#include "process.h"

namespace lvltext::testing {

namespace fs = std::filesystem;

namespace {

/// Quotes one command-line argument the way the C runtime splits them again.
std::wstring quoted(const std::wstring& argument) {
  std::wstring result = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    result.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    result += c;
  }
  result.append(backslashes * 2, L'\\');
  return result + L"\"";
}

HANDLE openInheritable(const fs::path& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, TRUE};
  const HANDLE handle =
      CreateFileW(path.wstring().c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &attributes,
                  disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path.string());
  return handle;
}

}  // namespace

ProcessResult runProcess(const fs::path& program, const fs::path& directory,
                         const std::optional<std::string>& standardInput,
                         const std::vector<std::string>& arguments) {
  const StreamFiles streams(standardInput);
  const HANDLE input =
      standardInput ? openInheritable(streams.input, GENERIC_READ, OPEN_EXISTING) : nullptr;
  const HANDLE output = openInheritable(streams.output, GENERIC_WRITE, CREATE_ALWAYS);
  const HANDLE error = openInheritable(streams.error, GENERIC_WRITE, CREATE_ALWAYS);

  std::wstring commandLine = quoted(program.wstring());
  for (const std::string& argument : arguments) {
    commandLine += L" " + quoted(fs::path(argument).wstring());
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = output;
  startup.hStdError = error;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.wstring().c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                      nullptr, directory.wstring().c_str(), &startup, &process)) {
    throw std::runtime_error("cannot start " + program.string());
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(output);
  CloseHandle(error);

  ProcessResult result;
  result.exitStatus = static_cast<int>(exitCode);
  if (input != nullptr) {
    LARGE_INTEGER position{};
    SetFilePointerEx(input, LARGE_INTEGER{}, &position, FILE_CURRENT);
    result.standardInputPosition = static_cast<std::uint64_t>(position.QuadPart);
    CloseHandle(input);
  }
  result.standardOutput = readFile(streams.output);
  result.standardError = readFile(streams.error);
  return result;
}

}  // namespace lvltext::testing
