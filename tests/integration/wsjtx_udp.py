#!/usr/bin/env python3
"""WSJT-X's UDP messages as text, for the tests that run Debian's WSJT-X.

    wsjtx_udp.py listen PORT LOG [ADDRESS]
                                     binds 127.0.0.1:PORT and writes one line a message to LOG;
                                     with a multicast group as ADDRESS, joins it on the
                                     loopback and shares the port with other listeners
    wsjtx_udp.py send LOG TYPE ID    sends WSJT-X, at the address the listener wrote to
                                     LOG.peer, a message of TYPE with no field but the id
                                     (6 Close; WSJT-X takes it only when it accepts requests)
    wsjtx_udp.py play PORT LOG       plays WSJT-X itself to a listener on 127.0.0.1:PORT: a
                                     heartbeat, a status (de K1ABC, 20 m FT8) and the decode
                                     "CQ W2XYZ FN31", then writes to LOG each message that
                                     comes back, until a reply

The messages are Qt data streams, big endian: magic 0xadbccbda, schema, type, then the fields
of the type. The lines written:

    heartbeat id=ID schema=N version=V from=HOST:PORT
    status dial=HZ mode=M tx_enabled=0|1 transmitting=0|1 decoding=0|1 rx_df=HZ tx_df=HZ dx_call=CALL
    decode new=0|1 ms=MS snr=DB dt=S df=HZ mode=M message=TEXT
    reply ms=MS snr=DB df=HZ mode=M message=TEXT
    close
    type=N (any other message)
"""
import socket
import struct
import sys

MAGIC = 0xADBCCBDA
SCHEMA = 2


class Fields:
    """Reads the fields of one datagram in order; a short datagram raises IndexError."""

    def __init__(self, data):
        self.data = data
        self.at = 0

    def take(self, fmt):
        size = struct.calcsize(fmt)
        if self.at + size > len(self.data):
            raise IndexError("datagram ends inside a field")
        (value,) = struct.unpack_from(fmt, self.data, self.at)
        self.at += size
        return value

    def utf8(self):
        length = self.take(">I")
        if length == 0xFFFFFFFF:
            return ""
        if self.at + length > len(self.data):
            raise IndexError("datagram ends inside a text")
        text = self.data[self.at : self.at + length].decode("utf-8", "replace")
        self.at += length
        return text

    def flag(self):
        return "1" if self.take(">?") else "0"


def describe(data, sender):
    fields = Fields(data)
    if fields.take(">I") != MAGIC:
        return None
    fields.take(">I")  # schema
    kind = fields.take(">I")
    ident = fields.utf8()
    if kind == 0:
        schema = fields.take(">I")
        return f"heartbeat id={ident} schema={schema} version={fields.utf8()} from={sender[0]}:{sender[1]}"
    if kind == 1:
        dial = fields.take(">Q")
        mode = fields.utf8()
        dx_call = fields.utf8()
        fields.utf8()  # report
        fields.utf8()  # Tx mode
        tx_enabled, transmitting, decoding = fields.flag(), fields.flag(), fields.flag()
        rx_df, tx_df = fields.take(">I"), fields.take(">I")
        return (
            f"status dial={dial} mode={mode} tx_enabled={tx_enabled} transmitting={transmitting} "
            f"decoding={decoding} rx_df={rx_df} tx_df={tx_df} dx_call={dx_call}"
        )
    if kind == 2:
        new = fields.flag()
        ms = fields.take(">I")
        snr = fields.take(">i")
        dt = fields.take(">d")
        df = fields.take(">I")
        mode = fields.utf8()
        return f"decode new={new} ms={ms} snr={snr} dt={dt:.1f} df={df} mode={mode} message={fields.utf8()}"
    if kind == 4:
        ms, snr, _, df = fields.take(">I"), fields.take(">i"), fields.take(">d"), fields.take(">I")
        mode = fields.utf8()
        return f"reply ms={ms} snr={snr} df={df} mode={mode} message={fields.utf8()}"
    if kind == 6:
        return "close"
    return f"type={kind}"


def listen(port, log_path, address="127.0.0.1"):
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    group = int(address.split(".")[0]) in range(224, 240)
    if group:
        sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        sock.bind(("", port))
        membership = socket.inet_aton(address) + socket.inet_aton("127.0.0.1")
        sock.setsockopt(socket.IPPROTO_IP, socket.IP_ADD_MEMBERSHIP, membership)
    else:
        sock.bind((address, port))
    with open(log_path, "a", buffering=1) as log:
        while True:
            data, sender = sock.recvfrom(65536)
            try:
                line = describe(data, sender)
            except IndexError as error:
                line = f"short datagram: {error}"
            if line is None:
                continue
            if line.startswith("heartbeat"):
                with open(log_path + ".peer", "w") as peer:
                    peer.write(f"{sender[0]} {sender[1]}\n")
            log.write(line + "\n")


def utf8_field(text):
    encoded = text.encode("utf-8")
    return struct.pack(">I", len(encoded)) + encoded


def send(log_path, kind, ident):
    with open(log_path + ".peer") as peer:
        host, port = peer.read().split()
    datagram = struct.pack(">III", MAGIC, SCHEMA, kind) + utf8_field(ident)
    socket.socket(socket.AF_INET, socket.SOCK_DGRAM).sendto(datagram, (host, int(port)))


def play(port, log_path):
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.bind(("127.0.0.1", 0))
    sock.settimeout(60)

    def message(kind, body):
        return struct.pack(">III", MAGIC, SCHEMA, kind) + utf8_field("WSJT-X") + body

    heartbeat = struct.pack(">I", 3) + utf8_field("2.6.1") + utf8_field("")
    status = (
        struct.pack(">Q", 14074000) + utf8_field("FT8") + utf8_field("") + utf8_field("") + utf8_field("FT8")
        + struct.pack(">???II", False, False, True, 1500, 1500) + utf8_field("K1ABC") + utf8_field("FN42")
    )
    decode = struct.pack(">?IidI", True, 45000, -12, 0.2, 1234)
    decode += utf8_field("~") + utf8_field("CQ W2XYZ FN31") + struct.pack(">??", False, False)
    for kind, body in ((0, heartbeat), (1, status), (2, decode)):
        sock.sendto(message(kind, body), ("127.0.0.1", port))
    with open(log_path, "a", buffering=1) as log:
        while True:
            data, sender = sock.recvfrom(65536)
            line = describe(data, sender)
            if line is not None:
                log.write(line + "\n")
            if line is not None and line.startswith("reply"):
                return


def main(argv):
    if len(argv) in (4, 5) and argv[1] == "listen":
        listen(int(argv[2]), argv[3], *argv[4:])
    elif len(argv) == 4 and argv[1] == "play":
        play(int(argv[2]), argv[3])
    elif len(argv) == 5 and argv[1] == "send":
        send(argv[2], int(argv[3]), argv[4])
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
