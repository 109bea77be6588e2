// Zembro on Win32: the command line in UTF-8, the folders, the framework, the game.
#include "app/command_line.h"
#include "app/program.h"
#include "platform/win32/win32_framework.h"
#include "store/regular_file.h"
#include "store/windows/file_handles.h"
#include "store/windows/wide_text.h"
#include "store/windows/windows_api.h"

#include <shellapi.h>
#include <string>
#include <vector>

namespace {

// A program of the window subsystem has no console of its own: a text asked for on a command
// line goes where its standard output or error was sent, else to the console it was started
// from, else (started without one) to a message box.
void Tell(const std::string& text, bool error) {
    DWORD written = 0;
    const HANDLE standard = ::GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (standard != nullptr && standard != INVALID_HANDLE_VALUE &&
        ::WriteFile(standard, text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
        return;
    if (::AttachConsole(ATTACH_PARENT_PROCESS)) {
        const zembro::WinHandle console(::CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE,
                                                      nullptr, OPEN_EXISTING, 0, nullptr));
        const std::wstring wide = zembro::Wide("\n" + text);
        if (console.Valid() && ::WriteConsoleW(console.Get(), wide.data(),
                                               static_cast<DWORD>(wide.size()), &written, nullptr))
            return;
    }
    ::MessageBoxW(nullptr, zembro::Wide(text).c_str(), L"Zembro",
                  static_cast<UINT>(MB_OK | (error ? MB_ICONERROR : MB_ICONINFORMATION)));
}

// Where the player's settings and scores are kept: the game's folder when it may be written,
// else the player's own folder for the game, made and given the game's settings at the first
// start that needs it (the player is told then). The pictures stay in the game's folder.
struct DataFolder {
    std::string path, notice;
};
DataFolder ChooseDataFolder() {
    const zembro::WinHandle probe(
        ::CreateFileW(L".zembro-write-check", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                      FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    const std::wstring players = zembro::platform::PlayersFolder();
    if (probe.Valid() || players.empty())
        return {};
    ::CreateDirectoryW(players.c_str(), nullptr);
    const DWORD made = ::GetFileAttributesW(players.c_str());
    if (made == INVALID_FILE_ATTRIBUTES || (made & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return {}; // saving in the game's folder then says why it cannot
    const std::wstring settings = players + L"\\Option.opt";
    DataFolder chosen{zembro::Narrow(players), {}};
    if (::CopyFileW(L"Option.opt", settings.c_str(), TRUE)) {
        // The player's copy is the player's to change, whatever the game's was.
        ::SetFileAttributesW(settings.c_str(), FILE_ATTRIBUTE_NORMAL);
        chosen.notice = "Zembro non può scrivere nella sua cartella,\n" + zembro::ShownPath(".") +
                        ".\nLe opzioni e la classifica sono conservate in\n" + chosen.path + ".";
    }
    return chosen;
}

} // namespace

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
    using zembro::CommandAction;
    const zembro::CommandLine line = zembro::ReadCommandLine(args);
    switch (line.action) {
    case CommandAction::Help:
        Tell(zembro::HelpText(), false);
        return 0;
    case CommandAction::Version:
        Tell(zembro::VersionText(), false);
        return 0;
    case CommandAction::Refuse:
        Tell(zembro::RefusalText(line.refused), true);
        return 2;
    case CommandAction::Play:
        break;
    }
    // The game's folder is its run folder, however it was started (a shortcut, another folder's
    // command line): the pictures and settings travel with zembro.exe.
    std::wstring self(32768, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    if (const std::size_t slash = self.find_last_of(L"\\/"); slash != std::wstring::npos)
        ::SetCurrentDirectoryW(self.substr(0, slash).c_str());
    zembro::platform::Win32Framework framework(::GetModuleHandleW(nullptr));
    if (const auto problem = framework.DisplayProblem()) {
        Tell("zembro: " + *problem + "\n", true);
        return 1;
    }
    DataFolder data = ChooseDataFolder();
    framework.SetDataDirectory(std::move(data.path), std::move(data.notice));
    return zembro::PlayGame(framework);
}
