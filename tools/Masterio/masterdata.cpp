#include "tools/Masterio/masterdata.h"

namespace masterio {

QList<SheetContent> masterSheets(const MasterData &data)
{
    auto heading = [](const QStringList &names) {
        QVariantList row;
        for (const QString &n : names)
            row << n;
        return row;
    };
    SheetContent groups{GroupSheet, {heading(GroupHeadings)}};
    for (const GroupRecord &g : data.groups)
        groups.rows.append(QVariantList{double(g.gpno), g.name, g.valid});
    SheetContent devices{DeviceSheet, {heading(DeviceHeadings)}};
    for (const DeviceRecord &d : data.devices)
        devices.rows.append(QVariantList{d.tag, d.kikiName.isNull() ? QVariant() : QVariant(d.kikiName),
                                         d.startValue, d.endValue});
    return {groups, devices};
}

} // namespace masterio
