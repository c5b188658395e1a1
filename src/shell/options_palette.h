#pragma once

#include "view/pickers.h"

#include "model/net_types.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTabWidget;
class QToolButton;

namespace plax {

inline constexpr const char* OptionsPaletteCaption = "Options";

// The new-element palette: a small tool window, always on top, whose controls write straight
// into the new-element fields of the program's settings (shape, name, width, style, colour).
class TFormOptionsPallete : public QWidget {
    Q_OBJECT
public:
    TFormOptionsPallete(OptionType& options, Pickers& pickers, QWidget* parent = nullptr);

    // The swatch shows the new element colour (after the Options dialog changed it).
    void ShowColor();

    QTabWidget& Tabs() const { return *tabs_; }
    QToolButton& PointShapeButton(int shape) const {
        return *pointShapes_.at(static_cast<std::size_t>(shape));
    }
    // The edge shape buttons: "Line", "Triangle Edge Type 1", "Triangle Edge Type 2".
    QToolButton& EdgeShapeButton(int index) const { return *edgeShapes_.at(static_cast<std::size_t>(index)); }
    QLineEdit& PointName() const { return *pointName_; }
    QLineEdit& EdgeName() const { return *edgeName_; }
    QSpinBox& Width() const { return *width_; }
    QComboBox& Style() const { return *style_; }

private:
    QWidget* MakePointTab();
    QWidget* MakeEdgeTab();
    QWidget* MakeColorTab();
    QToolButton* ShapeButton(QWidget* parent, const QIcon& icon, const char* hint);
    void PickColor();

    OptionType& options_;
    Pickers& pickers_;
    QTabWidget* tabs_ = nullptr;
    std::array<QToolButton*, 8> pointShapes_{};
    std::array<QToolButton*, 3> edgeShapes_{};
    QLineEdit* pointName_ = nullptr;
    QLineEdit* edgeName_ = nullptr;
    QSpinBox* width_ = nullptr;
    QComboBox* style_ = nullptr;
    QLabel* swatch_ = nullptr;
};

} // namespace plax
