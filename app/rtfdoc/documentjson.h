#ifndef RTFDOC_DOCUMENTJSON_H
#define RTFDOC_DOCUMENTJSON_H

#include <QJsonObject>

class QTextDocument;

// The document as the dump shows it: dynamic properties, default text option, blocks in
// document order, tables, lists and image resources (docs/rtfdoc-dump.md is the contract).
QJsonObject documentJson(const QTextDocument &document);

#endif // RTFDOC_DOCUMENTJSON_H
