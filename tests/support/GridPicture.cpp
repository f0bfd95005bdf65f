#include "support/GridPicture.h"

#include <gtest/gtest.h>

GridPicture::GridPicture(const Picture& picture) : storage(picture) {
    for (std::string& row : storage) {
        rowPointers.push_back(row.data());
    }
    record.cells = rowPointers.data();
    record.rows = static_cast<int>(storage.size());
    record.cols = storage.empty() ? 0 : static_cast<int>(storage.front().size());
    for (const std::string& row : storage) {
        EXPECT_EQ(static_cast<int>(row.size()), record.cols) << "picture rows differ in length";
    }
}

Picture pictureOf(const MazeGrid& grid) {
    Picture picture;
    for (int row = 0; row < grid.rows; ++row) {
        picture.emplace_back(grid.cells[row], grid.cells[row] + grid.cols);
    }
    return picture;
}

void paintPicture(const MazeGrid& grid, const Picture& picture) {
    ASSERT_EQ(static_cast<int>(picture.size()), grid.rows);
    for (int row = 0; row < grid.rows; ++row) {
        ASSERT_EQ(static_cast<int>(picture[row].size()), grid.cols);
        for (int col = 0; col < grid.cols; ++col) {
            grid.setCell(row, col, picture[row][col]);
        }
    }
}

int countCells(const MazeGrid& grid, char code) {
    int count = 0;
    for (int row = 0; row < grid.rows; ++row) {
        for (int col = 0; col < grid.cols; ++col) {
            count += grid.cells[row][col] == code ? 1 : 0;
        }
    }
    return count;
}
