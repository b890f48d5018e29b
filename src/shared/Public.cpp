#include "shared/Public.h"


namespace CorvaneGIS_Public {

void ResetForNewComponent()
{
    ProductName.clear();
    ProductVersion.clear();
    SearchDialog.reset();
    ApplicationRef.reset();
    HostApplication.reset();
    HostDocument.reset();
    DriveLetter.clear();
    ProductFolderPath.clear();
    ConfigFilePath.clear();
    IsConfigured = false;
    ParcelLayerName.clear();
    StreetNameField.clear();
    AddressNumberField.clear();
}

} // namespace CorvaneGIS_Public
