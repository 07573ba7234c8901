# A private CUPS server with one PDF queue, for the printing tests. Sourced
# after common.sh: start_printer starts cupsd with its configuration, spool
# and log under $BUILD/cups, adds the queue TAVO-PDF (cups-pdf) as the default
# printer and exports CUPS_SERVER, so that Wine (which prints through libcups)
# and lp find it; the PDF files land in $TAVO_PDF_DIR. stop_printer ends what
# start_printer began.

PRINTER_PACKAGES=(cups printer-driver-cups-pdf poppler-utils)
CUPS_DIR="$BUILD/cups"
export TAVO_PDF_DIR="$CUPS_DIR/pdf"
TAVO_PRINTER=TAVO-PDF
# cups-pdf reads its settings only from /etc/cups; a queue named by the
# device URI reads cups-pdf-NAME.conf there, which leaves the system queue's
# file alone.
CUPS_PDF_CONF="/etc/cups/cups-pdf-$TAVO_PRINTER.conf"
CUPSD_PID=""

start_printer() {
    install_packages "${PRINTER_PACKAGES[@]}" || return 1
    rm -rf "$CUPS_DIR"
    mkdir -p "$CUPS_DIR"/{etc/ppd,spool/tmp,cache,state,log} "$TAVO_PDF_DIR"
    # The filters run as the lp user: they must reach the spool.
    chmod 755 "$CUPS_DIR" "$CUPS_DIR"/*
    chmod 1777 "$CUPS_DIR/spool/tmp" "$TAVO_PDF_DIR"
    cat >"$CUPS_DIR/etc/cups-files.conf" <<CONF
ServerRoot $CUPS_DIR/etc
RequestRoot $CUPS_DIR/spool
TempDir $CUPS_DIR/spool/tmp
CacheDir $CUPS_DIR/cache
StateDir $CUPS_DIR/state
AccessLog $CUPS_DIR/log/access_log
ErrorLog $CUPS_DIR/log/error_log
PageLog $CUPS_DIR/log/page_log
SystemGroup root
CONF
    cat >"$CUPS_DIR/etc/cupsd.conf" <<CONF
Listen $CUPS_DIR/cups.sock
LogLevel warn
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
CONF
    as_root tee "$CUPS_PDF_CONF" >/dev/null <<CONF
Out $TAVO_PDF_DIR
AnonDirName $TAVO_PDF_DIR
UserUMask 0000
Grp root
CONF
    cupsd -f -c "$CUPS_DIR/etc/cupsd.conf" -s "$CUPS_DIR/etc/cups-files.conf" \
        >"$CUPS_DIR/log/cupsd.out" 2>&1 </dev/null &
    CUPSD_PID=$!
    export CUPS_SERVER="$CUPS_DIR/cups.sock"
    local i
    for i in $(seq 50); do
        [ -S "$CUPS_SERVER" ] && lpstat -r >/dev/null 2>&1 && break
        sleep 0.1
    done
    # lpadmin warns that printer drivers are deprecated; the warning goes to the log.
    lpadmin -p "$TAVO_PRINTER" -E -v "cups-pdf:/$TAVO_PRINTER" -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd \
        2>>"$CUPS_DIR/log/lpadmin.out" &&
        lpadmin -d "$TAVO_PRINTER" || { stop_printer; return 1; }
    export TAVO_PRINTER
}

stop_printer() {
    if [ -n "$CUPSD_PID" ]; then
        kill "$CUPSD_PID" 2>/dev/null || true
        wait "$CUPSD_PID" 2>/dev/null || true
        CUPSD_PID=""
    fi
    if [ -f "$CUPS_PDF_CONF" ]; then as_root rm -f "$CUPS_PDF_CONF"; fi
    unset CUPS_SERVER TAVO_PRINTER
}
