#pragma once

#include "island/IslandGeometry.h"
#include "wings/WingsContent.h"

#include <QAbstractButton>

namespace corvane {

/// Draws one wings notice on the island's black panel: in the notch style the symbol in the left
/// wing and the short text in the right one, with the housing's width empty between them; in
/// the floating style the symbol followed by the one-line text, centred. The whole notice is one
/// button for assistive technology, named by the notice's sentence; a click emits `clicked`.
class WingsView final : public QAbstractButton {
    Q_OBJECT

public:
    WingsView(IslandStyle style, WingsContent content, double notchWidth, QWidget* parent = nullptr);

    /// The hint assistive technology reads after the notice's sentence.
    static QString accessibleHint();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    IslandStyle style_;
    WingsContent content_;
    double notchWidth_;
};

} // namespace corvane
