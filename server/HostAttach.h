#pragma once
// Binds this server library to the services its host published in the
// process-wide table (com/ProcessObjects.h): the host classes, the file
// system and the windowing toolkit become the library's own. Services not
// published are left as they were.

namespace corvane::server {

void attachHostServices() noexcept;

} // namespace corvane::server
