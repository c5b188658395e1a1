#pragma once

#include "attribute_controls.h"

#include "view/options_command.h"
#include "view/pickers.h"
#include "view/program_state.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace plax {

inline constexpr const char* OptionsCaption = "Plax Options";
inline constexpr const char* OptionsHelpTopic = "Ystanovutq_opcuu";

// The Options dialog: the program settings, the point display options of nets, where OK
// applies them, the fonts of the text windows. It edits a copy (OptionsEdit) that each control
// writes at once; the frame makes it once and keeps it hidden between uses.
class TOptionsDlg : public QDialog, public OptionsDialog {
    Q_OBJECT
public:
    // The font buttons change the fonts in `state` at once; `pickers` are the colour and font
    // dialogs; `help` shows a help topic over the dialog.
    TOptionsDlg(ProgramState& state, Pickers& pickers, HelpRequest help, QWidget* parent = nullptr);

    bool Run(OptionsEdit& edit) override;
    // Every control shows its field of `edit`, with the enablement rules applied (what Run does
    // before showing the dialog).
    void Load(const OptionsEdit& edit);
    // The copy as the controls left it.
    const OptionsEdit& Edit() const { return edit_; }

    QTabWidget& Tabs() const { return *tabs_; }
    bool PopUpTabShown() const;

private:
    // Where a box keeps its 8-bit switch in the copy.
    using SwitchField = std::function<std::uint8_t&(OptionsEdit&)>;
    struct Switch {
        QCheckBox* box = nullptr;
        SwitchField field;
    };

    QWidget* MakeConfirmTab();
    QWidget* MakePopUpTab();
    QGroupBox* MakePopUpGroup(const char* title, const std::vector<std::pair<const char*, int>>& boxes);
    QGroupBox* MakeCurrentSettings();
    QGroupBox* MakeLoadPanel();
    QGroupBox* MakeForeColorPanel();
    QGroupBox* MakeApplyPanel();
    QWidget* MakeButtons();
    QCheckBox* AddSwitch(QWidget* parent, const char* name, const char* caption, SwitchField field);
    QSpinBox* AddSpin(const char* name, int low, int high, std::uint16_t PointOptionType::*field);
    void SwitchChanged(const Switch& s, bool on);
    void ShowSwitches();
    void ApplyRules();
    void ShowAll();
    void PickBorderColor();
    void PickForeColor();
    void SetDefault1Click();
    void HelpBtnClick();

    ProgramState& state_;
    Pickers& pickers_;
    OptionsEdit edit_;
    bool showing_ = false; // the controls are being set from the copy
    QTabWidget* tabs_ = nullptr;
    QWidget* popUpTab_ = nullptr;
    std::vector<Switch> switches_;
    QSpinBox* numberSize_ = nullptr;
    QSpinBox* radius_ = nullptr;
    QCheckBox* fillPoint_ = nullptr;
    QCheckBox* doubleBorder_ = nullptr;
    QCheckBox* borderByColor_ = nullptr;
    QLabel* borderSwatch_ = nullptr;
    QLabel* foreSwatch_ = nullptr;
    std::array<QRadioButton*, 3> loadModes_{};
    std::array<QRadioButton*, 3> targets_{}; // in the order of ApplyTarget
    HelpRequest help_;
};

// Paints a swatch label in a stored colour.
void ShowSwatch(QLabel& swatch, Color color);

} // namespace plax
