// Long random sequences of edits checked against a plain table of texts and tags, and against
// what must always hold of merges: a shuffle of inserts, deletes, resizes, merges and pastes
// must never lose, duplicate or misplace a cell.
#include "griddata/GridBlock.h"
#include "griddata/GridData.h"

#include <QString>

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

struct ModelCell {
    QString text;
    QString tag;
};

using Model = std::vector<std::vector<ModelCell>>;

void expectSame(const GridData &data, const Model &model, int step)
{
    ASSERT_EQ(data.rows(), int(model.size())) << "step " << step;
    ASSERT_EQ(data.cols(), int(model.front().size())) << "step " << step;
    for (int r = 0; r < data.rows(); ++r)
        for (int c = 0; c < data.cols(); ++c) {
            ASSERT_EQ(data.text(r, c), model[size_t(r)][size_t(c)].text)
                << "step " << step << " cell " << r << "," << c;
            ASSERT_EQ(data.tag(r, c), model[size_t(r)][size_t(c)].tag) << "step " << step << " cell " << r << "," << c;
        }
}

void expectSoundMerges(const GridData &data, int step)
{
    const auto &merges = data.merges();
    for (size_t i = 0; i < merges.size(); ++i) {
        const CellRange &m = merges[i];
        ASSERT_TRUE(data.all().contains(m)) << "step " << step;
        ASSERT_FALSE(m.isSingleCell()) << "step " << step;
        for (size_t j = i + 1; j < merges.size(); ++j)
            ASSERT_FALSE(m.intersects(merges[j])) << "step " << step;
        ASSERT_EQ(data.mergeAt(m.row2, m.col2), m) << "step " << step;
    }
}

} // namespace

TEST(GridDataModel, RandomEditsKeepEveryCellWhereItBelongs)
{
    std::mt19937 random(20261207);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    GridData data;
    data.setRows(6);
    data.setCols(5);
    Model model(6, std::vector<ModelCell>(5));
    int serial = 0;

    for (int step = 0; step < 3000; ++step) {
        const int rows = data.rows();
        const int cols = data.cols();
        switch (pick(0, 9)) {
        case 0:
        case 1: {
            const int r = pick(0, rows - 1);
            const int c = pick(0, cols - 1);
            const QString text = QString::number(++serial);
            data.setText(r, c, text);
            model[size_t(r)][size_t(c)].text = text;
            break;
        }
        case 2: {
            const int r = pick(0, rows - 1);
            const int c = pick(0, cols - 1);
            const QString tag = pick(0, 2) ? QStringLiteral("t%1").arg(++serial) : QString();
            data.setTag(r, c, tag);
            model[size_t(r)][size_t(c)].tag = tag;
            break;
        }
        case 3: {
            const int at = pick(1, rows);
            const int count = pick(1, 3);
            data.insertRows(at, count);
            model.insert(model.begin() + at, size_t(count), std::vector<ModelCell>(size_t(cols)));
            break;
        }
        case 4: {
            const int at = pick(1, rows);
            const int count = std::min(pick(1, 3), rows - at);
            data.removeRows(at, count);
            if (count > 0)
                model.erase(model.begin() + at, model.begin() + at + count);
            break;
        }
        case 5: {
            const int at = pick(1, cols);
            const int count = pick(1, 2);
            data.insertCols(at, count);
            for (auto &row : model)
                row.insert(row.begin() + at, size_t(count), ModelCell());
            break;
        }
        case 6: {
            const int at = pick(1, cols);
            const int count = std::min(pick(1, 2), cols - at);
            data.removeCols(at, count);
            if (count > 0)
                for (auto &row : model)
                    row.erase(row.begin() + at, row.begin() + at + count);
            break;
        }
        case 7: {
            const int newRows = std::clamp(rows + pick(-3, 3), 1, 30);
            const int newCols = std::clamp(cols + pick(-2, 2), 1, 12);
            data.setRows(newRows);
            data.setCols(newCols);
            model.resize(size_t(newRows), std::vector<ModelCell>(size_t(cols)));
            for (auto &row : model)
                row.resize(size_t(newCols));
            break;
        }
        case 8: {
            const int r1 = pick(1, std::max(1, rows - 1));
            const int c1 = pick(1, std::max(1, cols - 1));
            const CellRange range = CellRange::spanning(r1, c1, pick(r1, rows), pick(c1, cols)).intersected(data.all());
            if (pick(0, 3))
                data.merge(range);
            else
                data.unmerge(range);
            break;
        }
        default: {
            const CellRange source
                = CellRange::spanning(pick(0, rows - 1), pick(0, cols - 1), pick(0, rows - 1), pick(0, cols - 1));
            const GridBlock block = data.copyBlock(source);
            const Model before = model;
            const int r = pick(0, rows - 1);
            const int c = pick(0, cols - 1);
            data.pasteBlock(block, r, c);
            for (int i = 0; i < block.rows() && r + i < rows; ++i)
                for (int j = 0; j < block.cols() && c + j < cols; ++j)
                    model[size_t(r + i)][size_t(c + j)] = before[size_t(source.row1 + i)][size_t(source.col1 + j)];
            break;
        }
        }
        expectSame(data, model, step);
        expectSoundMerges(data, step);
        if (HasFatalFailure())
            return;
    }
}
