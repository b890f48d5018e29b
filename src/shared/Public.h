#pragma once
// Variables shared by every part of the component and every command object
// in the host's apartment. They start empty when the component loads and
// live until it is unloaded.

#include <memory>
#include <string>

#include "host/Application.h"
#include "host/Ref.h"

class frmMain;

namespace CorvaneGIS_Public {

inline std::string ProductName;
inline std::string ProductVersion;
inline std::shared_ptr<frmMain> SearchDialog;
inline corvane::host::Ref<corvane::host::HostObject> ApplicationRef;
inline corvane::host::Ref<corvane::host::IApplication> HostApplication;
inline corvane::host::Ref<corvane::host::IMxDocument> HostDocument;
inline std::string DriveLetter;
inline std::string ProductFolderPath;
inline std::string ConfigFilePath;
inline bool IsConfigured = false;

inline std::string ParcelLayerName;
inline std::string StreetNameField;
inline std::string AddressNumberField;

// Back to the state of a freshly loaded component (tests, and the host's unload).
void ResetForNewComponent();

} // namespace CorvaneGIS_Public
