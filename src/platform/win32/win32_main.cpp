// Zembro on Win32: the command line in UTF-8, the framework, the game.
#include "app/program.h"
#include "platform/win32/win32_framework.h"
#include "store/windows/wide_text.h"
#include "store/windows/windows_api.h"

#include <cstdio>
#include <shellapi.h>
#include <string>
#include <vector>

int main() {
    // The wide command line, so that any argument arrives whole.
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> words;
    for (int i = 1; i < count; ++i)
        words.push_back(zembro::Narrow(wide[i]));
    ::LocalFree(wide);
    std::vector<char*> args;
    for (std::string& word : words)
        args.push_back(word.data());
    if (const auto answered = zembro::AnswerCommandLine(args))
        return *answered;
    // The game's folder is its run folder, however it was started (a shortcut, another folder's
    // command line): the pictures and settings travel with zembro.exe.
    std::wstring self(32768, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    if (const std::size_t slash = self.find_last_of(L"\\/"); slash != std::wstring::npos)
        ::SetCurrentDirectoryW(self.substr(0, slash).c_str());
    zembro::platform::Win32Framework framework(::GetModuleHandleW(nullptr));
    if (const auto problem = framework.DisplayProblem()) {
        std::fprintf(stderr, "zembro: %s\n", problem->c_str());
        return 1;
    }
    return zembro::PlayGame(framework);
}
