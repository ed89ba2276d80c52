#pragma once

#include "report/Page.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace report {

enum class ItemKind { Label, Data, Calc, System, Sum, Line };
enum class SystemValue { PrintDateTime, PageNumber, PageCount };
enum class SumReset { Group, Report };

// One item of a band. Positions in mm from the band's top left corner.
struct Item
{
    ItemKind kind = ItemKind::Label;
    QString name;               // for scripts: visibility and the item's value as a variable
    double left = 0;
    double top = 0;
    double width = 0;           // 0: as wide as the text
    double height = 0;          // 0: one line of the font
    FontSpec font;
    Align align = Align::Left;
    bool wordWrap = false;      // wraps at the width; the band grows with the text
    bool visible = true;        // at the start of every print
    QString visibleIf;          // JavaScript boolean, evaluated whenever the band prints
    QString text;               // label
    QString pipeline;           // data, sum
    QString field;              // data, sum
    QString format;             // data, calc, sum, system (print date-time)
    QString expression;         // calc: JavaScript, its value is printed
    SystemValue system = SystemValue::PrintDateTime;
    SumReset reset = SumReset::Report;
    int groupLevel = -1;        // sums restarted per group: index of that group
    bool suppressRepeated = false; // data: printed only when it differs from the row above
    bool vertical = false;      // line: runs down by height instead of across by width
    double weightPt = 0.75;     // line
};

struct Band
{
    bool present = false;
    double height = 0;
    double bottomOffset = 0;    // room left free below the band
    QString beforePrint;        // JavaScript run before the band's items are generated
    QStringList calculationOrder; // calculated items run in this order, the rest after them
    std::vector<Item> items;
};

struct Group
{
    QString pipeline;           // empty: the main pipeline
    QString field;
    bool newColumn = false;     // every group but the first starts in a new column
    bool newPage = false;
    Band header;
    Band footer;
};

struct PageSetup
{
    double width = 210;
    double height = 297;
    bool landscape = false;
    double marginTop = 10;
    double marginBottom = 10;
    double marginLeft = 10;
    double marginRight = 10;
};

struct Column
{
    double left = 0; // from the left paper edge
    double width = 0;
};

struct Template
{
    PageSetup page;
    std::vector<Column> columns; // empty: one column across the printable width
    QString mainPipeline;
    QString beforePageHeader;
    Band pageHeader;
    Band title;                  // once, before the first detail row
    Band columnHeader;
    std::vector<Group> groups;   // outermost first
    Band detail;
    Band summary;                // once, after the last detail row
    Band columnFooter;
    Band pageFooter;

    bool isEmpty() const { return !pageHeader.present && !title.present && !columnHeader.present && groups.empty()
                                  && !detail.present && !summary.present && !columnFooter.present && !pageFooter.present; }
    std::vector<Column> effectiveColumns() const;
};

inline std::vector<Column> Template::effectiveColumns() const
{
    if (!columns.empty())
        return columns;
    return {Column{page.marginLeft, page.width - page.marginLeft - page.marginRight}};
}

// Calls fn(band) for every band of the template.
template <class Fn>
void forEachBand(const Template &t, Fn fn)
{
    for (const Band *b : {&t.pageHeader, &t.title, &t.columnHeader, &t.detail, &t.summary, &t.columnFooter, &t.pageFooter})
        fn(*b);
    for (const Group &g : t.groups) {
        fn(g.header);
        fn(g.footer);
    }
}

} // namespace report
