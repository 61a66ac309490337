#include "storefixture.h"

#include "store/schema.h"
#include "store/sitepaths.h"

void StoreFixture::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    QString error;
    ASSERT_TRUE(store::createDatabase(dbPath(), &error)) << error.toStdString();
    ASSERT_TRUE(db.open(dbPath())) << db.lastError().toStdString();
}

QString StoreFixture::dbPath() const
{
    return store::paths::databasePath(dir.path());
}

void StoreFixture::run(std::initializer_list<QString> statements)
{
    for (const QString &s : statements)
        ASSERT_TRUE(db.execute(s)) << s.toStdString() << ": " << db.lastError().toStdString();
}
