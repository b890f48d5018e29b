#include "Figures.h"

#include <algorithm>
#include <cstdio>

namespace corvane::bench {

void FigureTable::add(const std::string& figure, const std::string& column, Cell cell)
{
    if (std::find(m_figures.begin(), m_figures.end(), figure) == m_figures.end()) m_figures.push_back(figure);
    if (std::find(m_columns.begin(), m_columns.end(), column) == m_columns.end()) m_columns.push_back(column);
    m_cells[{figure, column}] = cell;
}

void FigureTable::print() const
{
    std::printf("\n%-56s", "figure (ms: ours / reference (ratio))");
    for (const auto& column : m_columns) std::printf(" | %-28s", column.c_str());
    std::printf(" | growth\n");
    for (const auto& figure : m_figures) {
        std::printf("%-56s", figure.c_str());
        const Cell* first = nullptr;
        const Cell* last = nullptr;
        for (const auto& column : m_columns) {
            const auto found = m_cells.find({figure, column});
            if (found == m_cells.end()) {
                std::printf(" | %-28s", "-");
                continue;
            }
            const Cell& cell = found->second;
            if (first == nullptr) first = &cell;
            last = &cell;
            char text[64];
            if (cell.reference > 0) {
                std::snprintf(text, sizeof text, "%.2f / %.2f (%.2f)", cell.ours * 1e3, cell.reference * 1e3,
                              cell.ours / cell.reference);
            } else {
                std::snprintf(text, sizeof text, "%.2f", cell.ours * 1e3);
            }
            std::printf(" | %-28s", text);
        }
        if (first != nullptr && last != first && first->ours > 0) std::printf(" | %.1f x\n", last->ours / first->ours);
        else std::printf(" | -\n");
    }
}

} // namespace corvane::bench
