#pragma once

#include "report/Page.h"

class QPainter;

namespace report {

// Draws laid-out pages on any painter whose device is a page of paper (preview, printer, PDF):
// millimetres become device pixels by the device's resolution, (0,0) is the paper corner.
class PagePainter
{
public:
    static void paint(QPainter &painter, const Page &page);
};

} // namespace report
