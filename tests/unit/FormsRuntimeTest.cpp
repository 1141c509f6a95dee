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
    void presses(forms::Control& control, const std::string& what) override { headless::presses(control, what); }
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

}  // namespace
