#pragma once
// Binds this server library to the services its host published in the
// process-wide table (com/ProcessObjects.h): the host classes, the file
// system and the windowing toolkit become the library's own; one that is
// not published reads as missing (the routines then raise error 91 or 429).

namespace corvane::server {

void attachHostServices() noexcept;

} // namespace corvane::server
