#include "fuzz/FuzzLogic.h"

#include "report/ReportError.h"
#include "report/TemplateLoader.h"

#include <QByteArray>

namespace fuzzlogic {

void reportTemplate(QByteArrayView input)
{
    try {
        report::parseTemplate(input.toByteArray(), QStringLiteral("Fuzz.rtm"));
    } catch (const report::ReportError &e) {
        if (QString::fromUtf8(e.what()).isEmpty())
            throw Violation("a template error without a message");
    }
}

} // namespace fuzzlogic
