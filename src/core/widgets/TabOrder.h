#pragma once

class QWidget;

namespace fw {

// Tab goes through the controls in the order they are seen: the order of
// their layouts (grids row by row), not the order in which they were made.
// Widgets made late or moved between parents would otherwise jump the queue.
class TabOrder {
public:
    TabOrder() = delete;

    // Chains every control under the root that Tab may reach.
    static void followLayout(QWidget* root);
};

} // namespace fw
