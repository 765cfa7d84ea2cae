#pragma once

class QTableView;

namespace fw {

// Columns at least as wide as their headers' text, in every language: a
// German header is often half as long again as the English one.
class HeaderFit {
public:
    HeaderFit() = delete;

    static void widenToHeaders(QTableView& table);
};

} // namespace fw
