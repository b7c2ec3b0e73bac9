#pragma once

#include "DashboardBody.h"

#include "app/AppModel.h"
#include "views/DashboardContext.h"

#include <memory>

class QVBoxLayout;

namespace corvane {

class AISection;
class DashFooter;
class DiskSection;
class MemoryColumn;

/// The home screen: with AI rows the AI section beside the memory column over the disk section,
/// without them the memory column beside the disk section; the footer below.
class HomeBody final : public DashboardBody {
    Q_OBJECT

public:
    HomeBody(std::shared_ptr<AppModel> model, const DashboardContext& context, QWidget* parent = nullptr);

    void refresh() override;

private:
    /// Moves the memory column under the disk section's card or to a card of its own.
    void arrange(bool withAI);

    std::shared_ptr<AppModel> model_;
    DashboardContext context_;
    QVBoxLayout* left_;
    QVBoxLayout* right_;
    AISection* ai_;
    MemoryColumn* memory_;
    DiskSection* disk_;
    DashFooter* footer_;
    std::optional<bool> withAI_;
};

} // namespace corvane
