// Level files drawn as pictures, for the move-rule tests:
//   '#' wall   ' ' floor   '.' site   '$' crate   '*' crate on a site
//   '@' keeper   '+' keeper on a site
// Cell (r, c) is placed at world x = 2c, z = 2r, so a piece's position and its
// cell can be checked against each other after any number of moves.
#pragma once

#include <sstream>
#include <string>
#include <vector>

inline std::vector<std::string> PictureRows(const std::string &picture)
{
    std::vector<std::string> rows;
    std::istringstream in(picture);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() || !rows.empty()) rows.push_back(line);
    return rows;
}

inline std::string LevelTextFromPicture(const std::string &picture)
{
    const std::vector<std::string> rows = PictureRows(picture);
    size_t cols = 0;
    for (const std::string &row : rows) cols = row.size() > cols ? row.size() : cols;
    std::ostringstream walls, sites, crates, keeper;
    int wallCount = 0, siteCount = 0, crateCount = 0;
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const char ch = rows[r][c];
            const std::string cell = std::to_string(r) + " " + std::to_string(c);
            const std::string x = std::to_string(2 * c), z = std::to_string(2 * r);
            const bool wall = ch == '#', site = ch == '.' || ch == '*' || ch == '+';
            const bool crate = ch == '$' || ch == '*', keeperHere = ch == '@' || ch == '+';
            if (wall) walls << x << " 2.0 " << z << " 1 " << cell << "\n", ++wallCount;
            if (site) sites << x << " 0 " << z << " 2 " << cell << "\n", ++siteCount;
            if (crate) crates << x << " 2 " << z << " 0 " << cell << "\n", ++crateCount;
            if (keeperHere) keeper << x << " 0 " << z << " 0 " << cell << "\n";
        }
    std::ostringstream text;
    text << "0 20 0 0 0 0\n" << rows.size() << "\n" << cols << "\n0\n";
    text << wallCount << "\n" << walls.str() << siteCount << "\n" << sites.str();
    text << crateCount + 1 << "\n" << crates.str() << keeper.str();
    return text.str();
}
