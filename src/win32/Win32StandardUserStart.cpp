#include "win32/Win32StandardUserStart.h"

#include <ntsecapi.h>
#include <sddl.h>

#include <algorithm>
#include <vector>

#include "core/install/Installer.h"
#include "win32/Win32FolderFiles.h"

namespace korva {

namespace {

// The window station calls of user32, looked up when first needed.
struct Windowing {
    HMODULE user32 = LoadLibraryA("user32.dll");  // from the system folder: a known DLL
    decltype(&GetProcessWindowStation) processStation = LoadProc<decltype(GetProcessWindowStation)>(
        user32, "GetProcessWindowStation");
    decltype(&SetProcessWindowStation) setProcessStation = LoadProc<decltype(SetProcessWindowStation)>(
        user32, "SetProcessWindowStation");
    decltype(&GetUserObjectInformationA) objectInformation = LoadProc<decltype(GetUserObjectInformationA)>(
        user32, "GetUserObjectInformationA");
    decltype(&CreateWindowStationA) createStation = LoadProc<decltype(CreateWindowStationA)>(user32,
                                                                                             "CreateWindowStationA");
    decltype(&CreateDesktopA) createDesktop = LoadProc<decltype(CreateDesktopA)>(user32, "CreateDesktopA");
    decltype(&CloseWindowStation) closeStation = LoadProc<decltype(CloseWindowStation)>(user32, "CloseWindowStation");
    decltype(&CloseDesktop) closeDesktop = LoadProc<decltype(CloseDesktop)>(user32, "CloseDesktop");

    bool Loaded() const {
        return processStation && setProcessStation && objectInformation && createStation && createDesktop &&
               closeStation && closeDesktop;
    }
};

const Windowing& User32() {
    static const Windowing windowing;
    return windowing;
}

StartFailure Failure(StartFailure::Step step) { return {step, GetLastError()}; }

// A security descriptor made from its SDDL text; null when the text is refused.
class Descriptor {
public:
    explicit Descriptor(const std::string& sddl) {
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1, &descriptor_, nullptr))
            descriptor_ = nullptr;
    }
    ~Descriptor() { LocalFree(descriptor_); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    PSECURITY_DESCRIPTOR Get() const { return descriptor_; }
    SECURITY_ATTRIBUTES* Attributes() {
        attributes_ = {sizeof attributes_, descriptor_, FALSE};
        return &attributes_;
    }

private:
    PSECURITY_DESCRIPTOR descriptor_ = nullptr;
    SECURITY_ATTRIBUTES attributes_{};
};

// A DACL that grants `rights` (with the inheritance `flags`) to each SID, protected from what
// its parent would pass on; with `mediumLabel`, a medium mandatory label too.
std::string Sddl(const std::vector<std::string>& sids, const char* flags, const char* rights, bool mediumLabel) {
    std::string sddl = "D:P";
    for (const std::string& sid : sids) sddl += std::string("(A;") + flags + ";" + rights + ";;;" + sid + ")";
    if (mediumLabel) sddl += "S:(ML;;NW;;;ME)";
    return sddl;
}

// SIDs given as text, converted and held for one call.
class Sids {
public:
    explicit Sids(const std::vector<std::string>& texts) {
        for (const std::string& text : texts) {
            PSID sid = nullptr;
            if (!ConvertStringSidToSidA(text.c_str(), &sid)) {
                valid_ = false;
                return;
            }
            entries_.push_back({sid, 0});
        }
    }
    ~Sids() {
        for (const SID_AND_ATTRIBUTES& entry : entries_) LocalFree(entry.Sid);
    }
    Sids(const Sids&) = delete;
    Sids& operator=(const Sids&) = delete;

    bool Valid() const { return valid_; }
    DWORD Count() const { return static_cast<DWORD>(entries_.size()); }
    SID_AND_ATTRIBUTES* Entries() { return entries_.data(); }

private:
    std::vector<SID_AND_ATTRIBUTES> entries_;
    bool valid_ = true;
};

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                           static_cast<int>(wide.size()));
    wide.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return wide;
}

// This process's environment with TEMP and TMP naming `temp`, as a sorted block of wide
// strings (CREATE_UNICODE_ENVIRONMENT).
std::wstring EnvironmentWith(const std::string& temp) {
    std::vector<std::wstring> entries;
    if (wchar_t* block = GetEnvironmentStringsW()) {
        for (const wchar_t* entry = block; *entry;) {
            entries.emplace_back(entry);
            entry += entries.back().size() + 1;
        }
        FreeEnvironmentStringsW(block);
    }
    auto name = [](const std::wstring& entry) { return entry.substr(0, entry.find(L'=', 1)); };
    std::erase_if(entries, [&name](const std::wstring& entry) {
        const std::wstring n = name(entry);
        return CompareStringOrdinal(n.data(), static_cast<int>(n.size()), L"TEMP", 4, TRUE) == CSTR_EQUAL ||
               CompareStringOrdinal(n.data(), static_cast<int>(n.size()), L"TMP", 3, TRUE) == CSTR_EQUAL;
    });
    entries.push_back(L"TEMP=" + Wide(temp));
    entries.push_back(L"TMP=" + Wide(temp));
    std::sort(entries.begin(), entries.end(), [&name](const std::wstring& a, const std::wstring& b) {
        const std::wstring x = name(a), y = name(b);
        return CompareStringOrdinal(x.data(), static_cast<int>(x.size()), y.data(), static_cast<int>(y.size()), TRUE) ==
               CSTR_LESS_THAN;
    });
    std::wstring environment;
    for (const std::wstring& entry : entries) environment += entry + L'\0';
    return environment + L'\0';
}

// Removes what `folder` holds, each through `files`: a name that leads outside stays.
void Empty(Win32FolderFiles& files, const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    const ScopeGuard close([find] { FindClose(find); });
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        if (files.Look(path) == FolderFiles::Kind::Folder) {
            Empty(files, path);
            files.RemoveFolder(path);
        } else {
            files.Remove(path);
        }
    } while (FindNextFileA(find, &found));
}

}  // namespace

std::string SidText(PSID sid) {
    char* text = nullptr;
    if (!sid || !ConvertSidToStringSidA(sid, &text)) return {};
    const ScopeGuard free([text] { LocalFree(text); });
    return text;
}

std::vector<BYTE> TokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS kind) {
    DWORD size = 0;
    GetTokenInformation(token, kind, nullptr, 0, &size);
    std::vector<BYTE> information(size);
    if (size == 0 || !GetTokenInformation(token, kind, information.data(), size, &size)) return {};
    return information;
}

StartFacts StandardUserStartFacts() {
    StartFacts facts;
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        const ScopedHandle owned(token);
        const std::vector<BYTE> user = TokenInformation(token, TokenUser);
        if (!user.empty()) facts.account = SidText(reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid);
        const std::vector<BYTE> groups = TokenInformation(token, TokenGroups);
        if (!groups.empty()) {
            const auto* list = reinterpret_cast<const TOKEN_GROUPS*>(groups.data());
            for (DWORD i = 0; i < list->GroupCount; ++i) facts.groups.push_back(SidText(list->Groups[i].Sid));
        }
    }
    const Windowing& user32 = User32();
    char name[256] = "";
    DWORD size = 0;
    if (user32.Loaded()) user32.objectInformation(user32.processStation(), UOI_NAME, name, sizeof name - 1, &size);
    facts.windowStation = name;
    char temp[MAX_PATH + 1] = "";
    const DWORD length = GetTempPathA(sizeof temp, temp);
    if (length > 0 && length < sizeof temp) facts.tempRoot.assign(temp, length > 3 ? length - 1 : length);
    // S-1-5-21 and four random parts: a SID of no account or group, the run's own.
    ULONG parts[4] = {};
    if (RtlGenRandom(parts, sizeof parts)) {
        facts.runSid = "S-1-5-21";
        for (ULONG part : parts) facts.runSid += "-" + std::to_string(part);
    }
    return facts;
}

StandardUserChild::StandardUserChild(const StandardUserStart& plan) { prepared_ = Prepare(plan); }

StartFailure StandardUserChild::Prepare(const StandardUserStart& plan) {
    // The token: a restricted version of this process's own, so that starting a process with
    // it needs no privilege.
    HANDLE own = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(),
                          TOKEN_DUPLICATE | TOKEN_QUERY | TOKEN_ASSIGN_PRIMARY | TOKEN_ADJUST_DEFAULT, &own))
        return Failure(StartFailure::Step::Token);
    const ScopedHandle ownToken(own);
    LUID changeNotify{};
    const std::vector<BYTE> privileges = TokenInformation(own, TokenPrivileges);
    if (privileges.empty() || !LookupPrivilegeValueA(nullptr, "SeChangeNotifyPrivilege", &changeNotify))
        return Failure(StartFailure::Step::Token);
    std::vector<LUID_AND_ATTRIBUTES> deleted;  // every privilege but passing through folders
    const auto* held = reinterpret_cast<const TOKEN_PRIVILEGES*>(privileges.data());
    for (DWORD i = 0; i < held->PrivilegeCount; ++i) {
        const LUID& luid = held->Privileges[i].Luid;
        if (luid.LowPart != changeNotify.LowPart || luid.HighPart != changeNotify.HighPart)
            deleted.push_back({luid, 0});
    }
    Sids denyOnly(plan.denyOnly), restricting(plan.restricting);
    if (!denyOnly.Valid() || !restricting.Valid()) return Failure(StartFailure::Step::Token);
    HANDLE restricted = nullptr;
    if (!CreateRestrictedToken(own, 0, denyOnly.Count(), denyOnly.Entries(), static_cast<DWORD>(deleted.size()),
                               deleted.data(), restricting.Count(), restricting.Entries(), &restricted))
        return Failure(StartFailure::Step::Token);
    token_.Reset(restricted);
    BYTE medium[SECURITY_MAX_SID_SIZE];
    DWORD mediumSize = sizeof medium;
    if (!CreateWellKnownSid(WinMediumLabelSid, nullptr, medium, &mediumSize)) return Failure(StartFailure::Step::Token);
    TOKEN_MANDATORY_LABEL label{{medium, SE_GROUP_INTEGRITY}};
    if (!SetTokenInformation(token_.Get(), TokenIntegrityLevel, &label, sizeof label + mediumSize))
        return Failure(StartFailure::Step::Token);
    const Descriptor defaultDacl(Sddl(plan.dacl, "", "GA", false));
    TOKEN_DEFAULT_DACL dacl{};
    BOOL present = FALSE, defaulted = FALSE;
    if (!defaultDacl.Get() || !GetSecurityDescriptorDacl(defaultDacl.Get(), &present, &dacl.DefaultDacl, &defaulted) ||
        !SetTokenInformation(token_.Get(), TokenDefaultDacl, &dacl, sizeof dacl))
        return Failure(StartFailure::Step::Token);

    // A window station and desktop of its own, where the plan names one: made new (a name
    // that is taken is refused), for SYSTEM, the account and the run alone, labelled medium.
    if (!plan.windowStation.empty()) {
        const Windowing& user32 = User32();
        if (!user32.Loaded()) return Failure(StartFailure::Step::Desktop);
        Descriptor descriptor(Sddl(plan.dacl, "", "GA", true));
        if (!descriptor.Get()) return Failure(StartFailure::Step::Desktop);
        station_ = user32.createStation(plan.windowStation.c_str(), CWF_CREATE_ONLY, WINSTA_ALL_ACCESS,
                                        descriptor.Attributes());
        if (!station_) return Failure(StartFailure::Step::Desktop);
        // A desktop is made on the calling process's window station.
        const HWINSTA ownStation = user32.processStation();
        if (!user32.setProcessStation(station_)) return Failure(StartFailure::Step::Desktop);
        desktop_ = user32.createDesktop("Default", nullptr, nullptr, 0, GENERIC_ALL, descriptor.Attributes());
        const StartFailure made = Failure(StartFailure::Step::Desktop);
        user32.setProcessStation(ownStation);
        if (!desktop_) return made;
    }
    desktopName_ = plan.desktop;

    // Its temporary files: a folder made new, for SYSTEM, the account and the run alone.
    Descriptor folder(Sddl(plan.dacl, "OICI", "FA", false));
    if (!folder.Get() || plan.tempFolder.empty() || !CreateDirectoryA(plan.tempFolder.c_str(), folder.Attributes()))
        return Failure(StartFailure::Step::TempFolder);
    // Held open without sharing deletion until it is removed: nobody can rename it or put a
    // link in its place meanwhile, so its removal empties this very folder.
    tempHold_.Reset(CreateFileA(plan.tempFolder.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!tempHold_ || !GetFileInformationByHandle(tempHold_.Get(), &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != FILE_ATTRIBUTE_DIRECTORY)
        return Failure(StartFailure::Step::TempFolder);
    tempFolder_ = plan.tempFolder;
    environment_ = EnvironmentWith(tempFolder_);
    return {};
}

StandardUserChild::~StandardUserChild() {
    const Windowing& user32 = User32();
    if (desktop_) user32.closeDesktop(desktop_);
    if (station_) user32.closeStation(station_);
    if (tempFolder_.empty()) return;
    {
        Win32FolderFiles files(tempFolder_);
        Empty(files, tempFolder_);
    }
    tempHold_.Close();
    Win32FolderFiles(FolderOf(tempFolder_)).RemoveFolder(tempFolder_);
}

StartFailure StandardUserChild::Start(std::string commandLine, DWORD flags, bool inheritHandles, STARTUPINFOA& startup,
                                      PROCESS_INFORMATION& process) {
    if (prepared_.Failed()) return prepared_;
    startup.lpDesktop = desktopName_.data();
    // CreateProcessAsUserA may write into its command line.
    if (!CreateProcessAsUserA(token_.Get(), nullptr, commandLine.data(), nullptr, nullptr, inheritHandles,
                              flags | CREATE_UNICODE_ENVIRONMENT, environment_.data(), nullptr, &startup, &process))
        return Failure(StartFailure::Step::Start);
    return {};
}

namespace {

struct Kept {
    std::unique_ptr<StandardUserChild> child;
    ScopedHandle process;
};

DWORD WINAPI DropWhenEnded(void* parameter) {
    const std::unique_ptr<Kept> kept(static_cast<Kept*>(parameter));
    WaitForSingleObject(kept->process.Get(), INFINITE);
    return 0;
}

}  // namespace

void KeepUntilEnded(std::unique_ptr<StandardUserChild> child, HANDLE process) {
    auto kept = std::make_unique<Kept>(Kept{std::move(child), ScopedHandle(process)});
    if (HANDLE thread = CreateThread(nullptr, 0, DropWhenEnded, kept.get(), 0, nullptr)) {
        kept.release();
        CloseHandle(thread);
        return;
    }
    // No thread to wait with: what the command uses stays until this program ends.
    static_cast<void>(kept->child.release());
}

}  // namespace korva
