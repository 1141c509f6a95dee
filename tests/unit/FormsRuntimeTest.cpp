#include <gtest/gtest.h>

#include "HeadlessBackend.h"
#include "forms/ControlArray.h"
#include "forms/Form.h"

namespace {

struct TestForm : forms::Form {
    explicit TestForm(forms::Backend& b) : forms::Form(b, "TestF") {}
    forms::TextBox box{*this, "BoxT"};
    forms::ComboBox combo{*this, "Combo"};
    forms::ControlArray<forms::Label> labels{*this, "Lab", 3};
    int loads = 0;
    void Form_Load() override { ++loads; }
};

TEST(FormsRuntime, ProgramTextChangeRaisesChangeOnce) {
    headless::HeadlessBackend backend;
    TestForm form(backend);
    form.load();
    int changes = 0;
    form.box.onChange = [&] { ++changes; };
    form.box.setText("abc");
    form.box.setText("abc");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(form.loads, 1);
}

// The Win32 backend's label reports the same (SkinControlTest).
TEST(FormsRuntime, DoubleClickReportsTheSecondPressAsDoubleClickAlone) {
    headless::HeadlessBackend backend;
    TestForm form(backend);
    form.load();
    forms::Label& label = form.labels[0];
    std::vector<std::string> log;
    label.onMouseMove = [&](const forms::MouseArgs&) { log.push_back("move"); };
    label.onMouseDown = [&](const forms::MouseArgs& a) { log.push_back("down " + std::to_string(a.button)); };
    label.onMouseUp = [&](const forms::MouseArgs& a) { log.push_back("up " + std::to_string(a.button)); };
    label.onClick = [&] { log.push_back("click"); };
    label.onDblClick = [&] { log.push_back("dblclick"); };
    headless::doubleClick(label);
    EXPECT_EQ(log, (std::vector<std::string>{"move", "down 1", "up 1", "click", "dblclick", "up 1"}));
}

}  // namespace
