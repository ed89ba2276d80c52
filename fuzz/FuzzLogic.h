#pragma once

#include <QByteArrayView>

#include <stdexcept>

// The checks run on one input of a fuzz target. The libFuzzer programs in this folder call
// them with generated inputs; the corpus replay tests call them with the files under
// tests/fuzz/corpus. Errors the program reports to its users (a list file that is not a
// list, a statement the engine refuses, a template that does not parse) are expected and
// swallowed; anything else escapes: a crash, a hang, a foreign exception or a Violation.
namespace fuzzlogic {

// An input for which a documented property of the code does not hold.
class Violation : public std::logic_error
{
public:
    using std::logic_error::logic_error;
};

// The version 2.0 list reader: the line splitter, whole and in chunks, and the record parser.
void legacyReader(QByteArrayView input);

// The harvester production file reader on arbitrary bytes: a production or the harvester
// error naming the file; nothing read longer than the input; every log either taken within the
// accepted ranges or refused, for either bark choice.
void harvesterReader(QByteArrayView input);

// The display formats: first line a value ("1.005", "nan", "-1e300"), the rest a pattern for
// numbers and for date-times.
void displayFormat(QByteArrayView input);

// The engine's tokenizer and dialect on a statement text (UTF-8).
void sqlDialect(QByteArrayView input);

// The report template loader on arbitrary bytes.
void reportTemplate(QByteArrayView input);

} // namespace fuzzlogic
