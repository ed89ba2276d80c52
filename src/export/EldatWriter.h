#pragma once

#include "export/ExportData.h"

#include <QByteArray>

#include <functional>

#include <vector>

namespace exporting {

// Everything one ELDATsmart document is made of.
struct EldatInput
{
    values::ListHeader header;
    std::vector<ExportLog> logs; // in log-number order
    values::Seller company;             // as eldatCompany gives it, without companyProblems
    values::EldatFacts facts;
    EldatEnvelope envelope;
};

// The list as an ELDATsmart 1.0.3 wood allocation notice ("hba"): the company as supplier,
// the list as lot with its felling date, one pile with every log measured singly (species,
// length, effective diameter, thickness class, quality, volume in solid cubic metres
// without bark) and the pile's assortment, quality shares, summed volume and coordinate.
// Every volume is the stored figure; the sum is the exact decimal sum of them. `progress`
// hears how many logs are in the document so far, out of how many.
using Progress = std::function<void(qint64 done, qint64 total)>;
QByteArray eldatDocument(const EldatInput &input, const Progress &progress = {});

} // namespace exporting
