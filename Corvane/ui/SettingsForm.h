#pragma once

#include "prefs/SettingsFormContent.h"

#include <QWidget>

#include <functional>
#include <vector>

class QAbstractButton;
class QLabel;

namespace corvane {

/// The settings form: one grouped box per section, with a bold header above and grey footer
/// texts below. It draws what it is given and reports what the user does; it keeps no state.
class SettingsForm final : public QWidget {
    Q_OBJECT

public:
    /// Called on the user's click with the control and, for a toggle, its new state.
    using ControlUsed = std::function<void(const SettingsControl& control, bool on)>;

    SettingsForm(const SettingsFormContent& content, ControlUsed onUse, QWidget* parent = nullptr);

    /// Shows `content`, which has the sections and controls the form was built with.
    void display(const SettingsFormContent& content);

private:
    struct SectionWidgets {
        std::vector<QAbstractButton*> controls;
        QLabel* footer = nullptr;
        QLabel* note = nullptr;
    };

    QWidget* buildSection(std::size_t index, const SettingsSection& section, QWidget* page);

    SettingsFormContent content_;
    ControlUsed onUse_;
    std::vector<SectionWidgets> sections_;
};

} // namespace corvane
