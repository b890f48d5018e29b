#pragma once
// The table bench_gdal prints: one line per figure, one column per town
// size, each cell "ours / reference (ratio)", and the growth of our time
// from the smallest size to the largest.

#include <map>
#include <string>
#include <vector>

namespace corvane::bench {

struct Cell {
    double ours = 0;       // seconds
    double reference = 0;  // seconds; 0 when not measured
};

class FigureTable {
public:
    void add(const std::string& figure, const std::string& column, Cell cell);
    void print() const;

private:
    std::vector<std::string> m_figures;  // in the order first added
    std::vector<std::string> m_columns;
    std::map<std::pair<std::string, std::string>, Cell> m_cells;
};

} // namespace corvane::bench
