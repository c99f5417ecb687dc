#pragma once

#include <QByteArray>
#include <QString>

class GridData;

// Grid files (.cel): a versioned JSON document holding everything a grid keeps (sizes, cells,
// looks, merges, cell types, pictures, page setup, titles, page breaks), readable and
// writable by hand. The factory ticket templates come in this format.
//
//   {"format": "kaowu-grid", "version": 1, "rows": 12, "cols": 16,
//    "defaultFont": {"name": "宋体", "size": 9}, "displayRowIndex": false,
//    "rowHeights": [20, ...], "rowIndexHidden": [13], "columns": [{"width": 40, "mask": 0, ...}, ...],
//    "styles": [{}, {"font": "黑体", "size": 14, "bold": true, "borders": [1, 1, 1, 1, 0, 0]}],
//    "cells": [{"row": 1, "col": 1, "text": "准考证", "style": 1}, ...],
//    "merges": [[1, 1, 1, 15]], "images": {"key": "<base64>"},
//    "pageSetup": {"Orientation": 2, "LeftMargin": 1, ...},
//    "reportTitles": [{"text": "...", "FontName": "宋体", "FontSize": 14, ...}],
//    "pageBreaks": [23]}
//
// Only "format", "version", "rows" and "cols" are required; what is left out takes the
// grid's defaults. Colours are "#rrggbb"; sizes pixels at 96 dpi; margins centimetres.
class GridFile {
public:
    static constexpr int Version = 1;

    // Replaces `data` by the grid in the file. A file that cannot be read, is not a grid file,
    // has another version or does not hold together leaves `data` untouched and returns false
    // with the reason in `error`.
    static bool load(const QString &path, GridData &data, QString *error = nullptr);
    // Writes `data` so that a failed write never leaves a half-written file behind.
    static bool save(const QString &path, const GridData &data, QString *error = nullptr);

    // The same, on the document's bytes.
    static bool fromJson(const QByteArray &json, GridData &data, QString *error = nullptr);
    static QByteArray toJson(const GridData &data);
};
