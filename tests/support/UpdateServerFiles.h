#pragma once

#include <QBuffer>
#include <QFile>
#include <QImage>

#include "support/LoopbackHttpServer.h"

// What the update server offers in the tests: a daylight-saving text, a headline, the news and a picture.
inline const QString DstBody =
    QStringLiteral(u"Z\u00fcrich, Switzerland  =  GMT+1\r\nDST (+1) begins last Sunday in Mar.\r\n");

inline QByteArray pictureBytes()
{
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The update server's files under a base path ("/main/" or "/mirror/").
inline void serveUpdates(LoopbackHttpServer& server, const QByteArray& base, const QByteArray& news)
{
    server.addBody(base + "x__c51/dst.txt", DstBody.toLatin1());
    server.addBody(base + "x__c51/head.txt", "Big news");
    server.addBody(base + "x__c51/news.txt", news);
    server.addBody(base + "x__c51/picc.gif", pictureBytes());
}
