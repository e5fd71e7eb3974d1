#pragma once

#include <QObject>

class DeviceTest : public QObject {
    Q_OBJECT

private slots:
    void openByName_data();
    void openByName();
    void chipsAreNumberedAndOpenedOnce();
    void storageSlotsByVendorText();
    void storageSlotKeepsItsNumber();
    void scsiCommandPassesThrough_data();
    void scsiCommandPassesThrough();
    void featureReportLengthFromDescriptor_data();
    void featureReportLengthFromDescriptor();
};
