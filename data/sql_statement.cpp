#include "data/sql_statement.h"

#include "data/connection.h"
#include "data/errors.h"
#include "data/win1251.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace zorvel {

namespace {

constexpr unsigned short kDialect = 1;
constexpr short kWin1251 = 52;

XSQLDA* allocate(std::vector<char>& storage, int count) {
    storage.assign(XSQLDA_LENGTH(count < 1 ? 1 : count), 0);
    auto* da = reinterpret_cast<XSQLDA*>(storage.data());
    da->version = SQLDA_VERSION1;
    da->sqln = static_cast<ISC_SHORT>(count < 1 ? 1 : count);
    return da;
}

size_t alignUp(size_t n, size_t a) {
    return (n + a - 1) / a * a;
}

void appendScaled(long long v, int scale, std::string& out) {
    if (scale >= 0) {
        char buf[32];
        auto r = std::to_chars(buf, buf + sizeof buf, v);
        out.append(buf, r.ptr);
        for (int i = 0; i < scale; ++i)
            out.push_back('0');
        return;
    }
    int digits = -scale;
    bool negative = v < 0;
    unsigned long long u =
        negative ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    std::string s = std::to_string(u);
    if (static_cast<int>(s.size()) <= digits)
        s.insert(0, static_cast<size_t>(digits + 1) - s.size(), '0');
    s.insert(s.size() - static_cast<size_t>(digits), 1, '.');
    if (negative)
        out.push_back('-');
    out += s;
}

void appendDouble(double v, int scale, std::string& out) {
    char buf[64];
    if (scale < 0)
        std::snprintf(buf, sizeof buf, "%.*f", -scale, v);
    else
        std::snprintf(buf, sizeof buf, "%.15g", v);
    out += buf;
}

void appendDate(const tm& t, bool withTime, std::string& out) {
    char buf[40];
    if (withTime && (t.tm_hour || t.tm_min || t.tm_sec))
        std::snprintf(buf, sizeof buf, "%02d.%02d.%04d %d:%02d:%02d", t.tm_mday, t.tm_mon + 1,
                      t.tm_year + 1900, t.tm_hour, t.tm_min, t.tm_sec);
    else
        std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", t.tm_mday, t.tm_mon + 1, t.tm_year + 1900);
    out += buf;
}

} // namespace

SqlStatement::SqlStatement(Connection& connection) : connection_(connection) {}

SqlStatement::~SqlStatement() {
    if (handle_) {
        ISC_STATUS_ARRAY status;
        isc_dsql_free_statement(status, &handle_, DSQL_drop);
    }
}

void SqlStatement::prepare(const QString& sql) {
    if (!connection_.isConnected())
        throw DataError(QStringLiteral("Нет подключения к базе данных"));
    ISC_STATUS_ARRAY status;
    if (handle_) {
        isc_dsql_free_statement(status, &handle_, DSQL_drop);
        handle_ = 0;
    }
    cursorOpen_ = false;
    singletonPending_ = false;
    sql_ = sql;
    isc_dsql_allocate_statement(status, connection_.dbHandle(), &handle_);
    throwOnError(status);
    out_ = allocate(outBuffer_, 20);
    QByteArray text = toWin1251(sql);
    isc_dsql_prepare(status, connection_.trHandle(), &handle_, 0, text.constData(), kDialect, out_);
    if (status[0] == 1 && status[1]) {
        ISC_STATUS_ARRAY ignored;
        isc_dsql_free_statement(ignored, &handle_, DSQL_drop);
        handle_ = 0;
        throwOnError(status);
    }
    if (out_->sqld > out_->sqln) {
        out_ = allocate(outBuffer_, out_->sqld);
        isc_dsql_describe(status, &handle_, kDialect, out_);
        throwOnError(status);
    }
    // Is it a select (cursor) or something else (possibly with RETURNING)?
    static const char infoRequest[] = {isc_info_sql_stmt_type};
    char info[16];
    isc_dsql_sql_info(status, &handle_, sizeof infoRequest, infoRequest, sizeof info, info);
    throwOnError(status);
    int type = 0;
    if (info[0] == isc_info_sql_stmt_type) {
        short len = static_cast<short>(isc_vax_integer(info + 1, 2));
        type = static_cast<int>(isc_vax_integer(info + 3, len));
    }
    isSelect_ = type == isc_info_sql_stmt_select || type == isc_info_sql_stmt_select_for_upd;
    hasSingletonResult_ = !isSelect_ && out_->sqld > 0;
    describeOutput();
    describeInput();
}

void SqlStatement::describeOutput() {
    const int n = out_->sqld;
    columns_.clear();
    columns_.reserve(static_cast<size_t>(n));
    outNulls_.assign(static_cast<size_t>(n), 0);
    // One buffer for all output values; the sqlvars point into it.
    size_t size = 0;
    std::vector<size_t> offsets(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        XSQLVAR& v = out_->sqlvar[i];
        size_t len = static_cast<size_t>(v.sqllen);
        if ((v.sqltype & ~1) == SQL_VARYING)
            len += 2;
        size = alignUp(size, 8);
        offsets[static_cast<size_t>(i)] = size;
        size += len;
        ColumnInfo c;
        c.name = fromWin1251(std::string_view(v.aliasname, static_cast<size_t>(v.aliasname_length)));
        c.type = static_cast<short>(v.sqltype & ~1);
        c.scale = v.sqlscale;
        c.length = v.sqllen;
        columns_.push_back(c);
    }
    dataStorage_.assign(size + 8, 0);
    for (int i = 0; i < n; ++i) {
        XSQLVAR& v = out_->sqlvar[i];
        v.sqldata = dataStorage_.data() + offsets[static_cast<size_t>(i)];
        v.sqlind = &outNulls_[static_cast<size_t>(i)];
        v.sqltype = static_cast<short>(v.sqltype | 1);
    }
}

void SqlStatement::describeInput() {
    ISC_STATUS_ARRAY status;
    in_ = allocate(inBuffer_, 10);
    isc_dsql_describe_bind(status, &handle_, kDialect, in_);
    throwOnError(status);
    if (in_->sqld > in_->sqln) {
        in_ = allocate(inBuffer_, in_->sqld);
        isc_dsql_describe_bind(status, &handle_, kDialect, in_);
        throwOnError(status);
    }
    inNulls_.assign(static_cast<size_t>(in_->sqld), -1);
    inValues_.assign(static_cast<size_t>(in_->sqld), std::nullopt);
}

int SqlStatement::parameterCount() const {
    return in_ ? in_->sqld : 0;
}

void SqlStatement::bind(int index, std::optional<QByteArray> win1251Text) {
    if (index < 0 || index >= parameterCount())
        throw DataError(QStringLiteral("Нет параметра с номером %1").arg(index + 1));
    inValues_[static_cast<size_t>(index)] = std::move(win1251Text);
}

void SqlStatement::bindAll(const std::vector<std::optional<QByteArray>>& values) {
    for (size_t i = 0; i < values.size(); ++i)
        bind(static_cast<int>(i), values[i]);
}

void SqlStatement::execute() {
    if (!handle_)
        throw DataError(QStringLiteral("Запрос не подготовлен"));
    ISC_STATUS_ARRAY status;
    closeCursor();
    // Every parameter travels as text; the server converts it to the column's type.
    for (int i = 0; i < in_->sqld; ++i) {
        XSQLVAR& v = in_->sqlvar[i];
        auto& value = inValues_[static_cast<size_t>(i)];
        v.sqltype = SQL_TEXT | 1;
        v.sqlsubtype = kWin1251;
        v.sqlscale = 0;
        v.sqlind = &inNulls_[static_cast<size_t>(i)];
        if (value) {
            inNulls_[static_cast<size_t>(i)] = 0;
            v.sqldata = value->data();
            v.sqllen = static_cast<ISC_SHORT>(value->size());
        } else {
            inNulls_[static_cast<size_t>(i)] = -1;
            v.sqldata = nullptr;
            v.sqllen = 0;
        }
    }
    XSQLDA* in = in_->sqld > 0 ? in_ : nullptr;
    if (hasSingletonResult_) {
        isc_dsql_execute2(status, connection_.trHandle(), &handle_, kDialect, in, out_);
        throwOnError(status);
        singletonPending_ = true;
        return;
    }
    isc_dsql_execute(status, connection_.trHandle(), &handle_, kDialect, in);
    throwOnError(status);
    cursorOpen_ = isSelect_;
}

bool SqlStatement::fetch() {
    if (singletonPending_) {
        singletonPending_ = false;
        return true;
    }
    if (!cursorOpen_)
        return false;
    ISC_STATUS_ARRAY status;
    ISC_STATUS rc = isc_dsql_fetch(status, &handle_, kDialect, out_);
    if (rc == 100) {
        closeCursor();
        return false;
    }
    if (rc != 0) {
        closeCursor();
        throwOnError(status);
    }
    return true;
}

void SqlStatement::closeCursor() {
    singletonPending_ = false;
    if (!cursorOpen_)
        return;
    ISC_STATUS_ARRAY status;
    isc_dsql_free_statement(status, &handle_, DSQL_close);
    cursorOpen_ = false;
}

int SqlStatement::columnCount() const {
    return static_cast<int>(columns_.size());
}

bool SqlStatement::isNull(int index) const {
    return outNulls_[static_cast<size_t>(index)] < 0;
}

void SqlStatement::appendValue(int index, std::string& out) const {
    const XSQLVAR& v = out_->sqlvar[index];
    if (outNulls_[static_cast<size_t>(index)] < 0)
        return;
    const char* data = v.sqldata;
    switch (v.sqltype & ~1) {
    case SQL_VARYING: {
        short len;
        std::memcpy(&len, data, 2);
        out.append(data + 2, static_cast<size_t>(len));
        break;
    }
    case SQL_TEXT: {
        size_t len = static_cast<size_t>(v.sqllen);
        while (len > 0 && data[len - 1] == ' ')
            --len;
        out.append(data, len);
        break;
    }
    case SQL_SHORT: {
        short x;
        std::memcpy(&x, data, sizeof x);
        appendScaled(x, v.sqlscale, out);
        break;
    }
    case SQL_LONG: {
        ISC_LONG x;
        std::memcpy(&x, data, sizeof x);
        appendScaled(x, v.sqlscale, out);
        break;
    }
    case SQL_INT64: {
        ISC_INT64 x;
        std::memcpy(&x, data, sizeof x);
        appendScaled(x, v.sqlscale, out);
        break;
    }
    case SQL_FLOAT: {
        float x;
        std::memcpy(&x, data, sizeof x);
        appendDouble(x, v.sqlscale, out);
        break;
    }
    case SQL_DOUBLE:
    case SQL_D_FLOAT: {
        double x;
        std::memcpy(&x, data, sizeof x);
        appendDouble(x, v.sqlscale, out);
        break;
    }
    case SQL_TIMESTAMP: {
        tm t{};
        isc_decode_timestamp(reinterpret_cast<const ISC_TIMESTAMP*>(data), &t);
        appendDate(t, true, out);
        break;
    }
    case SQL_TYPE_DATE: {
        tm t{};
        isc_decode_sql_date(reinterpret_cast<const ISC_DATE*>(data), &t);
        appendDate(t, false, out);
        break;
    }
    case SQL_TYPE_TIME: {
        tm t{};
        isc_decode_sql_time(reinterpret_cast<const ISC_TIME*>(data), &t);
        char buf[16];
        std::snprintf(buf, sizeof buf, "%d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
        out += buf;
        break;
    }
    case SQL_BOOLEAN:
        out += *data ? "True" : "False";
        break;
    default:
        out += "(BLOB)";
        break;
    }
}

std::string SqlStatement::value(int index) const {
    std::string s;
    appendValue(index, s);
    return s;
}

} // namespace zorvel
