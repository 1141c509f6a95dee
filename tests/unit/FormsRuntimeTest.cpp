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

}  // namespace
