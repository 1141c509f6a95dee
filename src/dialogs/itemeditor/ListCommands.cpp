// The item editor's commands on its grid: moving an item, overwrite, new and delete, and the grid's
// extra command.
#include "dialogs/itemeditor/FuncPlus.h"
#include "dialogs/itemeditor/ItemOptF.h"
#include "dialogs/itemeditor/LinkCheck.h"
#include "platform/StorableText.h"
#include "state/StoredFiles.h"

namespace dialogs {

void ItemOptF::MoveItem(int step) {
    const int n = List1.listIndex();
    const int m = n + step;
    if (n < 0 || m < 0 || m >= state::kGridSize)
        return;
    state::ItemRecord& a = editedGrid().at(n);
    state::ItemRecord& b = editedGrid().at(m);
    SwapValues(a.Title, b.Title);
    SwapValues(a.Batch, b.Batch);
    SwapValues(a.Path, b.Path);
    Add_list(RorEp);
    List1.setListIndex(m);
    // Not saved here: the next list command, OK or the shutdown saves the new order.
    host_.ItemsChanged();
}

void ItemOptF::ListCommand(int index) {
    const int n = List1.listIndex();
    if (n < 0)
        return;
    if (index == 0 && TitleT.text().empty())
        return;
    if (index != 2) {
        // A text the stored files cannot hold would be lost or would shift every later line at the
        // next save: it is refused before anything changes.
        for (const forms::TextBox* field : {&TitleT, &BatchT, &PathT}) {
            if (!platform::Reported(platform_, platform::Storable(field->text())))
                return;
        }
    }
    const state::ItemRecord typed{PathT.text(), BatchT.text(), TitleT.text()};
    int selected = n;
    switch (index) {
        case 0:
            editedGrid().at(n) = typed;
            break;
        case 1:
            selected = editedGrid().firstFree();
            if (selected < 0) {
                showMessage("登録に空きがありません");
                return;
            }
            editedGrid().at(selected) = typed;
            break;
        default:
            editedGrid().at(n) = state::ItemRecord::empty();
            break;
    }
    Add_list(RorEp);
    List1.setListIndex(selected);
    platform::Reported(platform_, state::SaveAll(s_, platform_));
    host_.ItemsChanged();
}

void ItemOptF::CheckLinksOrMakePage() {
    if (RorEp != 0) {
        // The link page dialog shows the editor again when it closes.
        hide();
        host_.OpenLinkPageDialog();
        return;
    }
    const int selected = List1.listIndex();
    // Each removal reaches the strip before the next question.
    const VanishedOutcome outcome = RunLinkCheck(s_, platform_, [this] { host_.ItemsChanged(); });
    if (outcome.removed == 0)
        return;
    // The list shows what the check left, as after the list commands.
    Add_list(RorEp);
    List1.setListIndex(selected);
}

}  // namespace dialogs
