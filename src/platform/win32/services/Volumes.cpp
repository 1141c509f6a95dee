#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/Wide.h"
#include "platform/win32/services/Win32Platform.h"

namespace win32 {
namespace {

// One volume's question and answer. The probe thread holds it as well as the caller, so a thread still
// waiting for a share after the caller has given up on it writes into memory that is still there.
struct Probe {
    std::wstring root;
    std::atomic<bool> reachable{false};
};

// Whether the volume's root answers, asked on the calling thread.
bool rootAnswers(const std::wstring& root) {
    // A drive without its medium fails at once instead of asking for a disk in a message box.
    DWORD previous = 0;
    ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous);
    bool reachable = false;
    // A letter mapped to nothing is known without going near a device.
    if (::GetDriveTypeW(root.c_str()) != DRIVE_NO_ROOT_DIR) {
        // A root that refuses us still answered: the volume is there.
        const DWORD attributes = ::GetFileAttributesW(root.c_str());
        reachable = attributes != INVALID_FILE_ATTRIBUTES || ::GetLastError() == ERROR_ACCESS_DENIED;
    }
    ::SetThreadErrorMode(previous, nullptr);
    return reachable;
}

// A drive letter of a disk volume of this computer answers at once, so it is asked without a thread
// (a thread costs Wine about a megabyte that it keeps). What the letter stands for is read from the
// system's names, which asks no device; a share, a substituted folder, a CD or floppy drive and anything
// else is asked on a thread of its own.
bool localDiskVolume(const std::wstring& root) {
    if (root.size() != 3 || root[1] != L':')
        return false;
    wchar_t target[MAX_PATH] = L"";
    return ::QueryDosDeviceW(root.substr(0, 2).c_str(), target, MAX_PATH) != 0 &&
           std::wstring_view(target).starts_with(L"\\Device\\HarddiskVolume");
}

DWORD WINAPI probeVolume(void* parameter) {
    const std::unique_ptr<std::shared_ptr<Probe>> held(static_cast<std::shared_ptr<Probe>*>(parameter));
    Probe& probe = **held;
    probe.reachable = rootAnswers(probe.root);
    return 0;
}

}  // namespace

std::vector<bool> Win32Platform::volumesReachable(const std::vector<std::string>& roots,
                                                  std::chrono::milliseconds limit) {
    // A share that does not answer keeps a file call waiting for half a minute or more, and nothing can
    // cancel it: each volume but the local disks is asked on a thread of its own, all at once, and a
    // thread that has not answered by the deadline is left to finish by itself.
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::vector<std::shared_ptr<Probe>> probes;
    std::vector<UniqueKernelHandle> threads;
    std::vector<std::optional<bool>> answered;
    for (const std::string& root : roots) {
        auto probe = std::make_shared<Probe>();
        probe->root = widen(root);
        if (localDiskVolume(probe->root)) {
            answered.push_back(rootAnswers(probe->root));
            probes.push_back(std::move(probe));
            threads.emplace_back();
            continue;
        }
        answered.emplace_back();
        auto parameter = std::make_unique<std::shared_ptr<Probe>>(probe);
        UniqueKernelHandle thread(::CreateThread(nullptr, 64 * 1024, probeVolume, parameter.get(),
                                                 STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
        if (thread)
            parameter.release();  // the thread owns it now
        probes.push_back(std::move(probe));
        threads.push_back(std::move(thread));
    }
    std::vector<bool> reachable;
    for (std::size_t i = 0; i < probes.size(); ++i) {
        if (answered[i]) {
            reachable.push_back(*answered[i]);
            continue;
        }
        if (!threads[i]) {
            // Without a thread there is no asking safely; the volume is taken as there, as it was
            // before volumes were asked about at all.
            reachable.push_back(true);
            continue;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const DWORD wait = left.count() > 0 ? static_cast<DWORD>(left.count()) : 0;
        reachable.push_back(::WaitForSingleObject(threads[i].get(), wait) == WAIT_OBJECT_0 &&
                            probes[i]->reachable);
    }
    return reachable;
}

}  // namespace win32
