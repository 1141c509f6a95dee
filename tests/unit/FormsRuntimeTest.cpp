// The runtime case table on the headless backend.
#include <gtest/gtest.h>

#include "HeadlessBackend.h"
#include "RuntimeCases.h"

namespace {

using runtime_cases::RuntimeCase;

class HeadlessPerson : public runtime_cases::Person {
  public:
    void show(forms::Form& form) override { form.activate(); }
    void click(forms::Control& control) override { headless::click(control); }
    void pressKey(forms::Form& form, int keyCode, int shift) override {
        headless::pressKey(form, keyCode, shift);
    }
    void typeText(forms::TextBox& box, const std::string& ascii) override { headless::typeText(box, ascii); }
    void paste(forms::TextBox& box, const std::string& text) override { headless::paste(box, text); }
    void pickListEntry(forms::ListBox& box, int index) override { headless::pickListEntry(box, index); }
    void pickListEntry(forms::ComboBox& box, int index) override { headless::pickListEntry(box, index); }
    void closeBox(forms::Form& form) override { headless::closeBox(form); }
    void drop(forms::Control& control, const std::vector<std::string>& files) override {
        headless::drop(control, files);
    }
};

class FormsRuntime : public ::testing::TestWithParam<RuntimeCase> {};

TEST_P(FormsRuntime, Headless) {
    headless::HeadlessBackend backend;
    HeadlessPerson person;
    GetParam().run(backend, person);
}

INSTANTIATE_TEST_SUITE_P(Cases, FormsRuntime, ::testing::ValuesIn(runtime_cases::runtimeCases()),
                         [](const ::testing::TestParamInfo<RuntimeCase>& param) { return param.param.name; });

// The Win32 backend's label reports the same (SkinControlTest).
TEST(FormsRuntime, DoubleClickReportsTheSecondPressAsDoubleClickAlone) {
    headless::HeadlessBackend backend;
    forms::Form form(backend, "TestF");
    forms::Label label(form, "Lab", 0);
    form.load();
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
