// A certificate authority and a server certificate for 127.0.0.1, made at test time with the
// openssl command in a temporary folder, for HTTPS tests on loopback.
#pragma once

#include <string>

namespace textorin::testing {

struct TestCertificates {
    std::string ca_file;    // the authority, to trust in the client
    std::string cert_file;  // the server's certificate, signed by the authority
    std::string key_file;
};

// Made once per process; throws when openssl fails.
const TestCertificates& test_certificates();

}  // namespace textorin::testing
