#pragma once

#include "export/ExportData.h"

#include <QByteArray>

#include <vector>

namespace exporting {

// Everything one ELDATsmart document is made of.
struct EldatInput
{
    ListHeader header;
    std::vector<ExportLog> logs; // in log-number order
    Company company;             // as eldatCompany gives it, without companyProblems
    EldatFacts facts;
    EldatEnvelope envelope;
};

// The list as an ELDATsmart 1.0.3 wood allocation notice ("hba"): the company as supplier,
// the list as lot with its felling date, one pile with every log measured singly (species,
// length, effective diameter, thickness class, quality, volume in solid cubic metres
// without bark) and the pile's assortment, quality shares, summed volume and coordinate.
// Every volume is the stored figure; the sum is the exact decimal sum of them.
QByteArray eldatDocument(const EldatInput &input);

} // namespace exporting
