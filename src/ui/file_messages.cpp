// Italian messages for failed file operations.
#include "ui/file_messages.h"

#include "store/regular_file.h"

#include <cstdio>

namespace zembro {

std::string ItalianFileReason(int error) {
    switch (error) {
    case FILE_ERROR_NOT_FOUND:
        return "il file non esiste";
    case FILE_ERROR_DENIED:
        return "permesso negato";
    case FILE_ERROR_READ_ONLY:
        return "il disco è in sola lettura";
    case FILE_ERROR_NO_SPACE:
        return "spazio esaurito sul disco";
    case FILE_ERROR_TOO_LARGE:
        return "il file supera la dimensione massima consentita";
    case FILE_ERROR_NOT_REGULAR:
        return "non è un file normale (è una cartella, una FIFO o un dispositivo)";
    case FILE_ERROR_LOCKED:
        return "un altro programma lo sta scrivendo e non ha finito in tempo";
    case FILE_ERROR_READ_LOCKED:
        return "un altro programma lo sta leggendo e non ha finito in tempo";
    case FILE_ERROR_FOREIGN_LINK:
        return "è un collegamento simbolico creato da un altro utente e non viene seguito";
    case FILE_ERROR_RACED:
        return "un altro programma lo ha creato nello stesso momento";
    case FILE_ERROR_MALFORMED:
        return "il contenuto non è valido";
    case FILE_ERROR_LINK_LOOP:
        return "troppi collegamenti simbolici";
    case FILE_ERROR_NAME_TOO_LONG:
        return "il percorso è troppo lungo";
    case FILE_ERROR_NOT_A_FOLDER:
        return "una parte del percorso non è una cartella";
    case FILE_ERROR_DEVICE:
        return "errore di lettura o scrittura sul disco";
    case FILE_ERROR_NOT_PERMITTED:
        return "operazione non permessa";
    case FILE_ERROR_NOT_KEPT:
        return "non è una classifica intera e non se ne è potuta conservare una copia";
    default:
        return "errore di sistema";
    }
}

void TellFileFailure(platform::Framework& framework, const platform::FrameWindow* owner,
                     const std::string& caption, const std::string& what, const std::string& file,
                     const IoResult& failure) {
    std::fprintf(stderr, "zembro: %s\n", failure.Reason().c_str());
    framework.MessageBox(owner,
                         what + " " + ShownPath(failure.File().empty() ? file : failure.File()) +
                             ":\n" + ItalianFileReason(failure.Error()) +
                             (failure.Cause() != FILE_ERROR_NONE
                                  ? " (" + ItalianFileReason(failure.Cause()) + ")"
                                  : ""),
                         caption, platform::MessageIcon::Exclamation, platform::MessageButtons::Ok);
}

} // namespace zembro
