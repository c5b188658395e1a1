#pragma once

#include "model/net_templates.h"
#include "model/net_types.h"

#include <QDialog>
#include <QWidget>

#include <optional>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

namespace plax {

inline constexpr const char* TemplateCaption = "New from Template";

// The net the dialog would make, drawn by the renderer scaled into the widget.
class TemplatePreview : public QWidget {
public:
    explicit TemplatePreview(QWidget* parent = nullptr);
    void Show(std::optional<NetWorkType> net, QSize laidOutIn);
    const std::optional<NetWorkType>& Net() const { return net_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<NetWorkType> net_;
    QSize laidOutIn_;
};

// File > "New from Template...": the kind of standard net and its parameters, with a live
// preview; a refusal ("K16 would have 16 points; Plax holds at most 15") is shown in place of
// the counts, and OK waits until the parameters make a net.
class TNewFromTemplateDlg : public QDialog {
    Q_OBJECT
public:
    // The preview is made with `options` as a new document would be.
    TNewFromTemplateDlg(const OptionType& options, QWidget* parent = nullptr);

    // Shows the dialog modally starting from `params`; on OK stores the answers in it.
    bool Ask(TemplateParams& params);
    void Load(const TemplateParams& params);
    TemplateParams Answers() const;

    QComboBox& KindBox() const { return *kind_; }
    QSpinBox& NEdit() const { return *n_; }
    QSpinBox& MEdit() const { return *m_; }
    QComboBox& WeightsBox() const { return *weights_; }
    QLabel& Message() const { return *message_; }
    const TemplatePreview& Preview() const { return *preview_; }
    bool OkEnabled() const;

private:
    void MakeControls();
    void MakeLayout();
    // The fields the chosen kind and weight rule read are enabled, and their labels fit the kind.
    void Adapt();
    void Refresh();

    const OptionType& options_;
    QComboBox* kind_ = nullptr;
    QLabel* nLabel_ = nullptr;
    QSpinBox* n_ = nullptr;
    QLabel* mLabel_ = nullptr;
    QSpinBox* m_ = nullptr;
    QLabel* pLabel_ = nullptr;
    QDoubleSpinBox* p_ = nullptr;
    QCheckBox* directed_ = nullptr;
    QSpinBox* seed_ = nullptr;
    QComboBox* weights_ = nullptr;
    QDoubleSpinBox* weight_ = nullptr;
    QSpinBox* low_ = nullptr;
    QSpinBox* high_ = nullptr;
    QSpinBox* decimals_ = nullptr;
    QComboBox* names_ = nullptr;
    TemplatePreview* preview_ = nullptr;
    QLabel* message_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    bool loading_ = false;
};

} // namespace plax
