#include <kelctrls/platform/imcoretypes.h>

Subject::Subject() {}
Subject::Subject(const wxString& text, const wxString& lang) : m_text(text), m_lang(lang) {}
Subject::Subject(const Subject& other) = default;
Subject& Subject::operator=(const Subject& other) = default;
Subject::~Subject() {}
