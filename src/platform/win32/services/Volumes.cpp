#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
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

DWORD WINAPI probeVolume(void* parameter) {
    const std::unique_ptr<std::shared_ptr<Probe>> held(static_cast<std::shared_ptr<Probe>*>(parameter));
    Probe& probe = **held;
    // A drive without its medium fails at once instead of asking for a disk in a message box.
    ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, nullptr);
    // A letter mapped to nothing is known without going near a device.
    if (::GetDriveTypeW(probe.root.c_str()) == DRIVE_NO_ROOT_DIR)
        return 0;
    // A root that refuses us still answered: the volume is there.
    const DWORD attributes = ::GetFileAttributesW(probe.root.c_str());
    probe.reachable = attributes != INVALID_FILE_ATTRIBUTES || ::GetLastError() == ERROR_ACCESS_DENIED;
    return 0;
}

}  // namespace

std::vector<bool> Win32Platform::volumesReachable(const std::vector<std::string>& roots,
                                                  std::chrono::milliseconds limit) {
    // A share that does not answer keeps a file call waiting for half a minute or more, and nothing can
    // cancel it: each volume is asked on a thread of its own, all at once, and a thread that has not
    // answered by the deadline is left to finish by itself.
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::vector<std::shared_ptr<Probe>> probes;
    std::vector<UniqueKernelHandle> threads;
    for (const std::string& root : roots) {
        auto probe = std::make_shared<Probe>();
        probe->root = widen(root);
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
