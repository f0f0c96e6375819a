// The export macro of the library's public symbols.
#ifndef KELCTRLS_CORE_EXPORT_H
#define KELCTRLS_CORE_EXPORT_H

#define KELCTRLS_API __attribute__((visibility("default")))

#endif
