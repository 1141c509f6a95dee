#include "dialogs/linkpage/HTMLGF.h"

#include <initializer_list>
#include <optional>

#include "dialogs/linkpage/LinkPage.h"
#include "platform/OpenDialog.h"

namespace dialogs {

std::string CompleteHtmlExtension(const std::string& fileName) {
    // Both endings are ASCII, so the last four bytes are the last four characters whenever they match.
    const bool kept = fileName.ends_with("html") || fileName.ends_with(".htm");
    return kept ? fileName : fileName + ".html";
}

HTMLGF::HTMLGF(forms::Backend& backend, Host& host, state::LauncherState& s, platform::Platform& platform)
    : Dialog(backend, "HTMLGF", host, s, platform, "Tolvane Link HTML File Generator", 287, 251) {
    setDefaultButton(Command1);

    Frame1.move(3, 6, 281, 204).setCaption("HTML作成オプション");
    PutInFrame(Frame1, {&Label1, &FileNB, &Command3, &Check1, &Check2, &Check3, &Check4});
    Label1.move(13, 16, 65, 17).setCaption("ファイル名");
    FileNB.move(11, 31, 263, 18).setAccessibleName(Label1.caption());
    Command3.move(233, 53, 43, 19).setCaption("参照");
    Check1.move(15, 77, 201, 25).setCaption("リンク先のアドレスをつける");
    Check2.move(15, 109, 201, 17).setCaption("リンク部分の字下げを行う");
    Check3.move(15, 133, 201, 25).setCaption("コメント行を加える");
    Check4.move(15, 165, 217, 25).setCaption("タイトル下とページ末尾にラインを引く");
    Command2.move(36, 215, 121, 33).setCaption("キャンセル");
    Command1.move(164, 215, 121, 33).setCaption("Link HTMLの作成");

    Command3.onClick = [this] { Browse(); };
    Command1.onClick = [this] { Make(); };
    Command2.onClick = [this] { unload(); };
}

void HTMLGF::Form_Load() {
    FileNB.setText(platform_.programFolder() + "\\tolvurl.html");
    for (forms::CheckBox* check : {&Check1, &Check2, &Check3, &Check4})
        check->setValue(0);
}

void HTMLGF::Form_Unload() {
    host_.ReturnToItemEditor();
}

void HTMLGF::Browse() {
    const std::string kept = FileNB.text();
    FileNB.setText(platform::ShowOpenDialog(platform_, handle(),
                                            {{"ハイパーテキスト(*.html)", "*.html"},
                                             {"ハイパーテキスト(*.htm)", "*.htm"},
                                             {"全てのファイル(*.*)", "*.*"}}));
    if (FileNB.text().empty()) {
        FileNB.setText(kept);
        return;
    }
    FileNB.setText(CompleteHtmlExtension(FileNB.text()));
}

void HTMLGF::Make() {
    const LinkPageOptions options{
        static_cast<state::Integer>(Check1.value()), static_cast<state::Integer>(Check2.value()),
        static_cast<state::Integer>(Check3.value()), static_cast<state::Integer>(Check4.value())};
    // A page that could not be written is never reported as made; the dialog stays open, so that the
    // person can choose another name.
    if (const platform::Outcome<> written = WriteLinkPage(platform_, s_.UrlItems, FileNB.text(), options);
        !written) {
        platform_.messageBox(FileNB.text() + "\r\nを作成できませんでした。\r\n" + written.problem(),
                             platform::MessageButtons::Ok);
        return;
    }
    platform_.messageBox("作成しました", platform::MessageButtons::Ok);
    unload();
}

}  // namespace dialogs
