#include "core/tables/table_columns.h"

#include <cmath>

#include "core/model/site_class.h"
#include "core/text/number_format.h"

namespace mk {
namespace {

// The stand before the year's thinning: fields 1-9 of every row.
const TableColumn kStandColumns[] = {
    {"林齢(年)", "##0"},         {"上層樹高(m)", "##0.0"},    {"胸高直径(cm)", "##0.0"},
    {"本数(本/ha)", "####0"},    {"胸高断面積(m2)", "##0.0"}, {"幹材積(m3)", "###0.0"},
    {"連年成長量(m3)", "##0.0"}, {"平均成長量(m3)", "##0.0"}, {"収量比数", "0.00"},
};

// The thinned trees (副林木), the stand left (主林木) and the total yield.
const TableColumn kThinningColumns[] = {
    {"副林木平均胸高直径(cm)", "#0.0"}, {"副林木本数(本/ha)", "###0"},
    {"副林木本数率(%)", "##0"},         {"副林木胸高断面積(m2)", "##0.0"},
    {"副林木幹材積(m3)", "##0.0"},      {"副林木材積率(%)", "##0"},
    {"副林木幹材積累計(m3)", "###0.0"}, {"主林木平均胸高直径(cm)", "##0.0"},
    {"主林木本数(本/ha)", "####0"},     {"主林木胸高断面積(m2)", "##0.0"},
    {"主林木幹材積(m3)", "###0.0"},     {"主林木収量比数", "0.00"},
};

const TableColumn kTotalYieldColumn = {"総収穫量(m3)", "###0.0"};

TableCell Number(double value) {
    if (!std::isfinite(value)) return {};
    return {TableCell::Kind::Number, value, {}};
}

TableCell Text(std::string text) { return {TableCell::Kind::Text, 0, std::move(text)}; }

void AddStandCells(std::vector<TableCell>& cells, const YearRowValues& y, bool withAge) {
    if (withAge) cells.push_back(Number(y.age));
    for (double v : {y.height, y.dbh, y.stems, y.basalArea, y.volume, y.growth, y.meanGrowth, y.ry})
        cells.push_back(Number(v));
}

}  // namespace

std::vector<TableColumn> TableColumns(TableKind kind) {
    std::vector<TableColumn> columns;
    if (kind == TableKind::Plan) columns.push_back({"計画(間伐回数)", "0"});
    if (kind == TableKind::Volume) {
        columns.push_back({"地位", ""});
        columns.push_back({"齢級", "##0"});
        columns.push_back({"基準林齢(年)", "##0"});
        columns.insert(columns.end(), std::begin(kStandColumns) + 1, std::end(kStandColumns));
        return columns;
    }
    columns.insert(columns.end(), std::begin(kStandColumns), std::end(kStandColumns));
    columns.insert(columns.end(), std::begin(kThinningColumns), std::end(kThinningColumns));
    columns.push_back(kTotalYieldColumn);
    return columns;
}

std::vector<TableCell> TableRowCells(TableKind kind, const TableRow& row) {
    std::vector<TableCell> cells;
    if (kind == TableKind::Volume) {
        cells.push_back(Text(SiteClassName(row.group)));
        // The age class of any age: ages 1-5 are class 1, whose middle age
        // 3 is the one the table lists.
        cells.push_back(Number((row.year.age + 4) / 5));
        AddStandCells(cells, row.year, true);
        return cells;
    }
    if (kind == TableKind::Plan) cells.push_back(Number(row.group));
    AddStandCells(cells, row.year, true);
    const ThinningBookkeeping& t = row.thinning;
    for (double v : {t.ThinnedDbh, t.StemsThinned, t.StemThinningRate, t.BasalAreaThinned,
                     t.VolumeThinned, t.VolumeThinningRate, t.CumulativeThinnedVolume, t.DbhAfter,
                     t.StemsAfter, t.BasalAreaAfter, t.VolumeAfter, t.RyAfter}) {
        cells.push_back(row.thinned ? Number(v) : TableCell{});
    }
    cells.push_back(Number(row.totalYield));
    return cells;
}

std::vector<const TableRow*> ExportedRows(const ResultTable& table, bool everyYear) {
    std::vector<const TableRow*> rows;
    for (const TableRow& row : table.rows) {
        if (everyYear || row.listed) rows.push_back(&row);
    }
    return rows;
}

std::string RoundedCellText(const TableCell& cell, const TableColumn& column) {
    switch (cell.kind) {
        case TableCell::Kind::Number:
            return column.pattern.empty() ? GeneralNumber(cell.number)
                                          : FormatNumber(cell.number, column.pattern);
        case TableCell::Kind::Text:
            return cell.text;
        case TableCell::Kind::Empty:
            break;
    }
    return {};
}

std::string TableTsv(const ResultTable& table, const std::vector<int>& rows,
                     const std::vector<int>& columns) {
    const std::vector<TableColumn> all = TableColumns(table.kind);
    const std::vector<const TableRow*> shown = ExportedRows(table, false);
    auto valid = [](int i, std::size_t size) {
        return i >= 0 && static_cast<std::size_t>(i) < size;
    };
    std::string text;
    bool first = true;
    for (int c : columns) {
        if (!valid(c, all.size())) continue;
        if (!first) text += '\t';
        text += all[static_cast<std::size_t>(c)].name;
        first = false;
    }
    text += '\n';
    for (int r : rows) {
        if (!valid(r, shown.size())) continue;
        const std::vector<TableCell> cells =
            TableRowCells(table.kind, *shown[static_cast<std::size_t>(r)]);
        first = true;
        for (int c : columns) {
            if (!valid(c, all.size())) continue;
            if (!first) text += '\t';
            text += RoundedCellText(cells[static_cast<std::size_t>(c)],
                                    all[static_cast<std::size_t>(c)]);
            first = false;
        }
        text += '\n';
    }
    return text;
}

}  // namespace mk
