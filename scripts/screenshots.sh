#!/usr/bin/env bash
# Takes a picture of every screen at 1366x768, driving the program by keyboard as an attendant
# would, into docs/screenshots/. Needs Xvfb, openbox, xdotool and ImageMagick
# (apt-get install -y xvfb openbox xdotool imagemagick) and a built program (build/brisko).
#   scripts/screenshots.sh [program] [output folder]
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/brisko}")
out=$(realpath -m "${2:-docs/screenshots}")
mkdir -p "$out"

export DISPLAY=:77
home=$(mktemp -d /tmp/brisko-shots.XXXXXX)
cleanup() {
  pkill -f "^$program" || true
  kill "${wm_pid:-}" "${x_pid:-}" 2>/dev/null || true
  rm -rf "$home"
}
trap cleanup EXIT
Xvfb "$DISPLAY" -screen 0 1366x768x24 >/dev/null 2>&1 &
x_pid=$!
sleep 1
openbox >/dev/null 2>&1 &
wm_pid=$!
sleep 1

shot() { sleep "${2:-1.2}"; import -window root "$out/$1.png"; echo "$1"; }
key() { for k in "$@"; do xdotool key "$k"; sleep 0.4; done; }
type() { xdotool type --delay 30 "$1"; sleep 0.4; }
# A menu of the main window's bar, then its n-th item by the arrow keys.
menu() {
  xdotool mousemove "$1" 27 click 1
  sleep 0.5
  for ((i = 0; i < $2; i++)); do xdotool key Down; done
  xdotool key Return
}
start() {
  BRISKO_HOME="$home/$1" BRISKO_SENHA_ADMINISTRADOR=${2:-} setsid "$program" >/dev/null 2>&1 &
  sleep 4
}

# First start: the administrator's password.
start novo
shot frmSenhaAdministrador 0
pkill -f "^$program" || true

# Sample data, then the login, the loading screen and the main window.
BRISKO_HOME="$home/dados" BRISKO_SENHA_ADMINISTRADOR=SEGREDO "$program" --dados-exemplo >/dev/null
start dados
shot frmAutenticacao 0
type BRISKO
key Tab
type SEGREDO
key Tab space
shot frmLoad 0.3
shot MDIPrincipal 3

# Registries, their lookups (Consulta menu) and their selections (Editar).
registry() { # key, menu item, registry, lookup, selection
  key "$1"
  shot "$3"
  key alt+e
  shot "$5"
  key Escape Escape
  menu 104 "$2"
  shot "$4"
  key Escape
}
registry F2 1 frmCliente frmLocalizar_Cliente frmSelecionar_Cliente
registry F4 3 frmProduto frmLocalizar_Produto frmSelecionar_Produto
registry F5 4 frmCategoria frmLocalizar_Categoria frmSelecionar_Categoria
registry F6 5 frmUsuario frmLocalizar_Usuario frmSelecionar_Usuario
registry F7 6 frmEntregador frmLocalizar_Entregador frmSelecionar_Entregador

# An order: the customer, a flavour, the discount, the payment and the message.
key F3
type 912345678
key Return
shot frmPedido_taxa 0.8
key Return
key alt+n
shot frmSelecionar_Sabor
key Return
type 2
key alt+a
xdotool mousemove 279 732 click 1 # the discount button has no letter of its own
shot frmDesconto
key Escape
key alt+p
shot frmPagamento
key Escape
key alt+m
type "TROCO PARA CEM REAIS, TOCAR A CAMPAINHA DO FUNDO E AVISAR QUE A BEBIDA VAI GELADA NA CAIXA"
shot frmMensagem
key Return
shot frmPedido
key alt+l
type 999990000
key Return
shot frmCad_Cli_Ped_pergunta 0.8
key Return
shot frmCad_Cli_Ped
key Escape Escape

# Stored orders and the price list.
key ctrl+F3
shot frmLocalizar_Pedido
key Return
shot frmConsulta_Pedido
key alt+e
shot frmSelecionar_Entregador_Pedido
key Escape Escape Escape
key F12
shot frmTabela_Preco
key Escape

# Utilities: exports, backup, printer.
menu 173 1
shot frmExporta_Dados_Cliente
key Escape
menu 173 2
shot frmExporta_Dados_Pedido
key Escape
menu 173 3
shot frmExporta_Dados_Produto
key Escape
menu 173 6
shot frmBackup
key Escape
menu 173 9
shot frmImpressora
key Escape

# Reports: each screen (the preview is docs/screenshots/relatorio-pedidos.png).
report() { # submenu, item, name
  xdotool mousemove 246 27 click 1
  sleep 0.5
  for ((i = 0; i < $1; i++)); do xdotool key Down; done
  xdotool key Right
  for ((i = 1; i < $2; i++)); do xdotool key Down; done
  xdotool key Return
  shot "$3"
}
report 1 1 frmRelatorio_Pedido
key Escape
report 1 2 frmRelatorio_Forma_Pagamento
key Escape
report 1 3 frmRelatorio_Entregador
key Escape
report 2 1 frmRelatorio_Cliente
key Escape
report 3 1 frmRelatorio_Produto_Venda
key Escape
report 3 2 frmRelatorio_Produto
key Escape

# About.
menu 367 1
shot frmSobre
key Escape
