#include "platform/OpenDialog.h"

namespace platform {

std::string ShowOpenDialog(Platform& platform, NativeWindow owner, const std::vector<FilterPair>& filters) {
    OpenDialogRequest request;
    request.owner = owner;
    request.filters = filters;
    request.filterIndex = 2;
    request.initialFolder = "C:\\";
    request.title = "ファイルを開く";
    return platform.openFileDialog(request);
}

}  // namespace platform
