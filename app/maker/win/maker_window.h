// The maker window: the kind, the data and the size as the user thinks of
// them, the picture the command line beside them makes, saved through the
// common file dialog or copied. Its rules are MakerForm's; the window makes
// the controls, lays them out at the monitor's DPI and is the view.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/maker/maker_form.h"
#include "app/maker/win/maker_platform.h"
#include "common/win/form_window.h"
#include "common/win/win_util.h"

namespace merrowin::win {

// The maker window's class name: other programs (and the tests) find it by it.
inline constexpr wchar_t kMakerWindowClass[] = L"MerrowinMaker";

enum MakerControlId : int {
    kMakerKindCombo = 501,
    kMakerStyleCombo = 502,
    kMakerDataEdit = 503,
    kMakerCodeLabel = 504,
    kMakerMessageLabel = 505,
    kMakerExtraEdit = 506,  // and 507: the kind's extra values
    kMakerModuleCombo = 508,
    kMakerModuleEdit = 509,
    kMakerResolutionCombo = 510,
    kMakerReductionEdit = 511,
    kMakerOutlinesBox = 512,
    kMakerFormatCombo = 513,
    kMakerCommandEdit = 514,
    kMakerSaveButton = 515,
    kMakerCopyButton = 516,
    kMakerCloseButton = 517,
    kMakerPreview = 518,
    kMakerSizeLabel = 519,
    kMakerExtraLabel = 520,     // and 521
    kMakerUnitLabel = 522,      // "%" or "mm" of the module width
    kMakerReductionUnit = 523,  // "mm" of the reduction
};

class MakerWindow final : public FormWindow, private MakerView {
public:
    // Creates and shows the window, owned by `owner` but not modal to it.
    MakerWindow(HINSTANCE instance, HWND owner);
    ~MakerWindow() override;

    // Puts the open window in front of the others, restored if minimised.
    void BringForward();

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateControls(HINSTANCE instance);
    void Layout();
    void ApplyDpi(UINT dpi);
    int Scaled(int pixels) const { return ::MulDiv(pixels, static_cast<int>(dpi_), 96); }
    HWND Item(int id) const { return ::GetDlgItem(Handle(), id); }
    void OnCommand(int id, int code);
    void DrawPreview(const DRAWITEMSTRUCT& item) const;
    void Close();

    // MakerView, on the controls.
    MakerChoices Choices() override;
    void ShowChoices(const MakerChoices& choices) override;
    void SetList(MakerList list, const std::vector<std::string>& items,
                 std::size_t selected) override;
    void SetExtras(std::span<const MakerExtra> extras) override;
    void SetModuleUnit(std::string_view unit) override;
    void ShowResult(const MakerResult& result) override;
    std::optional<std::string> AskSavePath(const std::string& folder, const std::string& name,
                                           FileFormat format) override;

    UINT dpi_ = 96;
    UniqueFont font_;
    MakerPlatform platform_;
    MakerForm form_;
    std::string folder_;          // the last save folder, a choice not shown
    std::size_t extraCount_ = 0;  // extra fields the kind uses
    bool updating_ = false;       // the form is filling the controls
    bool remembered_ = false;     // the choices are stored at closing
    std::vector<std::uint8_t> picture_;
};

}  // namespace merrowin::win
