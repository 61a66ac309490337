#pragma once

#include "store/database.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "qtprint.h"

// A fresh database from the schema in a temporary program folder.
class StoreFixture : public ::testing::Test
{
protected:
    void SetUp() override;

    QString dbPath() const;
    // Runs statements of the programs' dialect, failing the test on an error.
    void run(std::initializer_list<QString> statements);

    QTemporaryDir dir;
    store::Database db;
};
