#pragma once

#include <QString>

#include <gtest/gtest.h>

// A layout dump compared with its expected text in tests/report/golden/<name>. After a
// deliberate change of a template or of the layout, run the tests once with
// DORV_UPDATE_GOLDEN=1 in the environment: each compared dump is written over its file
// (the comparison passes), and the files' diff shows what moved.
::testing::AssertionResult matchesGolden(const QString &dump, const char *name);
