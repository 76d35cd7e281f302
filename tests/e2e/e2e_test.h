// The fixture every end-to-end test starts from: no stored settings, a
// scratch folder for output and as working directory.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "tests/e2e/e2e_support.h"

namespace merrowin::e2e {

// One JAN-13 number used throughout: 490123456789, check digit 4.
inline constexpr wchar_t kJanData[] = L"/cd490123456789";
inline constexpr wchar_t kJanFile[] = L"4901234567894.emf";

// "/dr" and a folder, blanks written as "*" so no quotes are needed.
inline std::wstring DrOption(std::wstring folder) {
    for (wchar_t& c : folder)
        if (c == L' ') c = L'*';
    return L"/dr" + folder;
}

class E2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteSettingsKey();
        MakeDirectory(out_ / L"cwd");
    }
    void TearDown() override { DeleteSettingsKey(); }

    // Working directory of the runs: a folder of its own inside the scratch.
    std::wstring Cwd() const { return out_ / L"cwd"; }
    DWORD Run(std::wstring_view args) { return RunMerrowin(args, Cwd()); }

    ScratchDir out_;
};

}  // namespace merrowin::e2e
