#include "link/Result.h"

namespace comm {

QString resultText(int result)
{
    switch (result) {
    case ResultOk: return QStringLiteral("Ок");
    case ResultNoAnswer: return QStringLiteral("Прибор не отвечает");
    case ResultCrc: return QStringLiteral("Ошибка контрольной суммы");
    case ResultCannotSend: return QStringLiteral("Не удается отправить запрос");
    case ResultIllegalFunction: return QStringLiteral("Недопустимая функция");
    case ResultIllegalValue: return QStringLiteral("Недопустимые данные");
    case ResultDeviceFailure: return QStringLiteral("Прибор неисправен");
    case ResultAcknowledge: return QStringLiteral("Начало долговременной операции");
    case ResultBusy: return QStringLiteral("Прибор занят");
    case ResultNotPossible: return QStringLiteral("Выполнение функции невозможно");
    case ResultParity: return QStringLiteral("Ошибка четности");
    case ResultIllegalAddress: return QStringLiteral("Недопустимый адрес данных");
    case ResultWrongAddress: return QStringLiteral("Не совпадает адрес ModBus");
    case ResultWrongFunction: return QStringLiteral("Не совпадает номер функции");
    case ResultWrongType: return QStringLiteral("Неверный тип данных");
    case ResultShortData: return QStringLiteral("Недостаточно данных");
    case ResultNotAddressed: return QStringLiteral("Адрес модуля не известен: запрос не отправлен");
    default: return QStringLiteral("Неизвестная ошибка");
    }
}

}  // namespace comm
