#pragma once

#include <QString>

// Where the update service answers. The two hosts are build settings
// (ORBEL_SERVICE_URL_GENERAL, ORBEL_SERVICE_URL_ASIA); ORBEL_UPDATER_SERVICE_URL
// (scheme, host and port, such as "http://127.0.0.1:8080") replaces both at run
// time, for the demo and the tests. Results carry no trailing "/".
class ServiceEndpoints
{
public:
    // The service for every package type but zh-CN.
    static QString general();
    // The service for the zh-CN package.
    static QString asia();

    // The run-time replacement, without its trailing "/"; empty when unset.
    static QString override();
};
