#include "support/test_ca.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace textorin::testing {

namespace {

// Removes the folder when the test process ends.
struct Folder {
    std::string path;
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

}  // namespace

const TestCertificates& test_certificates() {
    static Folder folder;
    static const TestCertificates certs = [] {
        char tmpl[] = "/tmp/textorin-ca-XXXXXX";
        if (!mkdtemp(tmpl)) throw std::runtime_error("mkdtemp failed");
        const std::string dir = folder.path = tmpl;
        const std::string key = " -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";
        const std::string script =
            "cd " + dir + " && openssl req -x509" + key +
            " -keyout ca.key -out ca.pem -days 2 -subj '/CN=Textorin Test CA' &&"
            " openssl req" +
            key +
            " -keyout server.key -out server.csr -subj '/CN=127.0.0.1' &&"
            " printf 'subjectAltName=IP:127.0.0.1,DNS:localhost' > san.ext &&"
            " openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial"
            " -out server.pem -days 2 -extfile san.ext";
        if (std::system((script + " >/dev/null 2>&1").c_str()) != 0)
            throw std::runtime_error("openssl could not make the test certificates");
        return TestCertificates{dir + "/ca.pem", dir + "/server.pem", dir + "/server.key"};
    }();
    return certs;
}

}  // namespace textorin::testing
