/// \file
/// The export macro of the library's public symbols.
#ifndef KELCTRLS_CORE_EXPORT_H
#define KELCTRLS_CORE_EXPORT_H

/// Marks a class or function as part of the library's binary interface.
#define KELCTRLS_API __attribute__((visibility("default")))

#endif
