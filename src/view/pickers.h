#pragma once

#include "model/net_types.h"

#include <QFont>

#include <optional>

class QWidget;

namespace plax {

// The colour and font dialogs. The desktop shows the real ones (QtPickers); tests answer from
// a script. A cancelled picker answers nothing, and the caller then changes nothing.
class Pickers {
public:
    virtual ~Pickers() = default;
    virtual std::optional<Color> AskColor(Color initial) = 0;
    virtual std::optional<QFont> AskFont(const QFont& initial) = 0;
};

// Real modal colour and font dialogs owned by `parent`.
class QtPickers : public Pickers {
public:
    explicit QtPickers(QWidget* parent) : parent_(parent) {}
    std::optional<Color> AskColor(Color initial) override;
    std::optional<QFont> AskFont(const QFont& initial) override;

private:
    QWidget* parent_; // not owned
};

} // namespace plax
