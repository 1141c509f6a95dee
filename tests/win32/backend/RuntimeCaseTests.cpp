// The runtime case table on the Win32 backend, driven with real window messages.
#include <ole2.h>

#include "Win32Person.h"

namespace backend_test {
namespace {

using runtime_cases::RuntimeCase;

class Win32Runtime : public ::testing::TestWithParam<RuntimeCase> {};

TEST_P(Win32Runtime, RealMessages) {
    win32::Win32Backend backend;
    Win32Person person(backend);
    GetParam().run(backend, person);
    pumpMessages();
}

INSTANTIATE_TEST_SUITE_P(Cases, Win32Runtime, ::testing::ValuesIn(runtime_cases::runtimeCases()),
                         [](const ::testing::TestParamInfo<RuntimeCase>& param) { return param.param.name; });

}  // namespace
}  // namespace backend_test
